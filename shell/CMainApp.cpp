#include "CMainApp.h"

#include "CDirectoryReport.h"
#include "CMainDlg.h"
#include "CSystemServices.h"

CMainApp theApp;

namespace {

// Index of the last backslash, or -1. A trail byte of a double-byte character may have the
// value of a backslash, so the search steps over whole characters.
long long LastBackslash(const CString& path) {
    long long last = -1;
    for (size_t i = 0; i < path.GetLength(); i++) {
        char c = path.GetAt(i);
        if (c == '\\')
            last = static_cast<long long>(i);
        else if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < path.GetLength())
            i++;
    }
    return last;
}

}  // namespace

CMainApp::CMainApp() = default;

CMainApp::~CMainApp() = default;

BOOL CMainApp::InitInstance() {
    InitProfile();
    CSystemServices services;
    CMainDlg dlg(services);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

void CMainApp::InitProfile() {
    SetRegistryKey("Nembrant");
    m_strDefaultOutputFile = GetPathDirectory(m_pszHelpFilePath);
    m_strDefaultOutputFile =
        CDirectoryReport::EnsureTrailingBackslash(m_strDefaultOutputFile, '\\') + "quorvel.txt";
}

CString CMainApp::GetPathDirectory(const CString& path) {
    long long last = LastBackslash(path);
    return last < 0 ? CString() : path.Left(static_cast<size_t>(last) + 1);
}

CString CMainApp::GetPathFileTail(const CString& path) {
    long long last = LastBackslash(path);
    return last < 0 ? CString() : path.Mid(static_cast<size_t>(last));
}
