#include "CDialog.h"

#include "CWinApp.h"

namespace {

// The messages whose answer a dialog procedure returns itself rather than through
// DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_VKEYTOITEM:
            return true;
    }
    return false;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

// Without a parent the main window owns the dialog, so that it is disabled meanwhile.
HWND CDialog::OwnerWindow() const {
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd != this && IsWindow(app->m_pMainWnd->m_hWnd))
        return app->m_pMainWnd->m_hWnd;
    return nullptr;
}

INT_PTR CDialog::DoModal() {
    CWinApp* app = AfxGetApp();
    if (app)
        app->EnableHelpKey();
    HINSTANCE instance = app ? app->m_hInstance : GetModuleHandleA(nullptr);
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(m_nIDTemplate), OwnerWindow(), DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate != FALSE);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

bool CDialog::IsOwnDialog(HWND window) {
    return window && GetWindowLongPtrA(window, DWLP_DLGPROC) ==
                         reinterpret_cast<LONG_PTR>(&CDialog::DialogProc);
}

bool CDialog::OnCommand(UINT id) {
    switch (id) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
    }
    return false;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog)
        return FALSE;
    return dialog->Dispatch(message, wParam, lParam);
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The main window is gone: nothing may be sent to it or owned by it any more.
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this)
            app->m_pMainWnd = nullptr;
        SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        m_hWnd = nullptr;
        return FALSE;
    }
    // Buttons, menus and accelerators send 0 or 1 as their notification code; the codes of
    // other controls (an edit's changes) are not commands.
    if (message == WM_COMMAND && HIWORD(wParam) <= 1)
        return OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    LRESULT result = 0;
    if (!OnMessage(message, wParam, lParam, result))
        return FALSE;
    if (AnswersDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
