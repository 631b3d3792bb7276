#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Plays the user for the windows that the code under test shows. Each step waits for a visible,
// enabled top-level window of this thread that matches, then acts on it. A thread timer drives
// the steps from inside whatever modal loop is running, so a step may open the next window
// itself and later steps answer that one.
//
//     UiScript ui;
//     ui.On(Captioned("Warning"), [](HWND box) { Click(box, IDYES); });
//     report.Run(...);
//
// A step that finds no window for a long while fails the test and closes every window of the
// thread, so that a missing or unexpected window cannot hang the test.
class UiScript {
public:
    typedef std::function<bool(HWND)> Match;
    typedef std::function<void(HWND)> Action;

    UiScript();
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    UiScript& On(Match match, Action action);
    // A step played before all others: for a window that must be acted on again later.
    UiScript& Next(Match match, Action action);
    // Drops the steps not played, for windows that are allowed not to come.
    void Clear() { m_steps.clear(); }
    // Steps not played yet.
    size_t Remaining() const { return m_steps.size(); }
    // The captions and texts of the windows closed because no step wanted them.
    const std::vector<std::string>& Stray() const { return m_stray; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Step();
    void Rescue();

    struct Entry {
        Match match;
        Action action;
    };
    std::deque<Entry> m_steps;
    std::vector<std::string> m_stray;
    UINT_PTR m_timer;
    int m_idleTicks;
    UiScript* m_previous;
};

// Matches windows by their caption.
UiScript::Match Captioned(const std::string& caption);
// Matches one window.
UiScript::Match Is(const HWND& window);

// Visible, enabled top-level windows of this thread, newest first.
std::vector<HWND> ThreadWindows();
std::string WindowText(HWND window);
// The text of a message box.
std::string MessageText(HWND box);
// The texts of all child windows.
std::vector<std::string> ChildTexts(HWND window);
// Clicks the button with the id, as the mouse would.
void Click(HWND dialog, int id);
// Presses and releases a key in the control that has the focus of dialog (or in control).
void PressKey(HWND control, WPARAM key);
