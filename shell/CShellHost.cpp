#include "CShellHost.h"

#include <windows.h>

#include "CWinApp.h"

void CShellHost::ShowError(const CString& text) {
    AfxMessageBox(text, MB_OK);
}

bool CShellHost::AskYesNo(const CString& text) {
    return MessageBoxA(nullptr, text, "Warning", MB_YESNO | MB_ICONWARNING) == IDYES;
}
