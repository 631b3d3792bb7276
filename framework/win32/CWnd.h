#pragma once

#include <windows.h>

#include "CMenu.h"
#include "CString.h"
#include "CommandIds.h"

// A window handle with the few operations the program's windows use.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // A message box owned by this window.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;
    HWND GetDlgItem(int id) const;
    void SetDlgItemText(int id, const char* text) const;
    CString GetDlgItemText(int id) const;
    // The window's system menu; an empty menu when it has none.
    CMenu GetSystemMenu(BOOL revert) const;
    BOOL IsIconic() const;
    void GetClientRect(RECT* rect) const;
    // Calls the system's help engine with the application's help file; tells the user when
    // that fails.
    BOOL WinHelp(ULONG_PTR data, UINT command = HELP_CONTEXT);

    HWND m_hWnd = nullptr;
};
