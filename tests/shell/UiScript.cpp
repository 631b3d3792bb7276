#include "UiScript.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const UINT kTickMilliseconds = 20;
// About a minute without a window that a step wants.
const int kPatienceTicks = 3000;

UiScript* g_current = nullptr;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectText(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<std::string>*>(list)->push_back(WindowText(window));
    return TRUE;
}

}  // namespace

UiScript::UiScript() : m_timer(0), m_idleTicks(0), m_previous(g_current) {
    g_current = this;
    m_timer = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
}

UiScript::~UiScript() {
    KillTimer(nullptr, m_timer);
    g_current = m_previous;
}

UiScript& UiScript::On(Match match, Action action) {
    m_steps.push_back({std::move(match), std::move(action)});
    return *this;
}

UiScript& UiScript::Next(Match match, Action action) {
    m_steps.push_front({std::move(match), std::move(action)});
    return *this;
}

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_current)
        g_current->Step();
}

// The step is taken off before it acts, so that the ticks inside a modal loop its action opens
// play the following steps.
void UiScript::Step() {
    if (m_idleTicks > kPatienceTicks) {
        Rescue();
        return;
    }
    if (!m_steps.empty()) {
        for (HWND window : ThreadWindows()) {
            if (!m_steps.front().match(window))
                continue;
            Entry entry = std::move(m_steps.front());
            m_steps.pop_front();
            m_idleTicks = 0;
            entry.action(window);
            return;
        }
    }
    m_idleTicks++;
}

void UiScript::Rescue() {
    for (HWND window : ThreadWindows()) {
        std::string text = WindowText(window) + ": " + MessageText(window);
        if (std::find(m_stray.begin(), m_stray.end(), text) == m_stray.end()) {
            ADD_FAILURE() << "no step for the window " << text;
            m_stray.push_back(text);
        }
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(window, WM_COMMAND, IDNO, 0);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    m_steps.clear();
}

UiScript::Match Captioned(const std::string& caption) {
    return [caption](HWND window) { return WindowText(window) == caption; };
}

UiScript::Match Is(const HWND& window) {
    return [&window](HWND candidate) { return candidate == window; };
}

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string MessageText(HWND box) {
    return WindowText(GetDlgItem(box, 0xFFFF));
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    EXPECT_NE(button, nullptr) << "no control " << id << " in " << WindowText(dialog);
    SendMessageA(button, BM_CLICK, 0, 0);
}

void PressKey(HWND control, WPARAM key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}
