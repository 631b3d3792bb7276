#include "CWnd.h"

#include <vector>

#include "CWinApp.h"

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const {
    CWinApp* app = AfxGetApp();
    if (!caption && app)
        caption = app->m_pszAppName;
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}

void CWnd::SetDlgItemText(int id, const char* text) const {
    ::SetDlgItemTextA(m_hWnd, id, text);
}

CString CWnd::GetDlgItemText(int id) const {
    HWND control = GetDlgItem(id);
    int length = ::GetWindowTextLengthA(control);
    if (length <= 0)
        return CString();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(control, text.data(), length + 1);
    return CString(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

CMenu CWnd::GetSystemMenu(BOOL revert) const {
    return CMenu(::GetSystemMenu(m_hWnd, revert));
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(RECT* rect) const {
    ::GetClientRect(m_hWnd, rect);
}

BOOL CWnd::WinHelp(ULONG_PTR data, UINT command) {
    CWinApp* app = AfxGetApp();
    if (::WinHelpA(m_hWnd, app ? app->m_pszHelpFilePath : nullptr, command, data))
        return TRUE;
    AfxMessageBox("Failed to launch help.");
    return FALSE;
}
