#include "CMainDlg.h"

#include <shlobj.h>

#include <cstring>

#include "CAboutDlg.h"
#include "CMainApp.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "CSettingsDlg.h"
#include "CShellHost.h"
#include "CUpdateReminder.h"
#include "VendorPages.h"
#include "resource.h"

namespace {

const char kSection[] = "settings";
// The first major version that has the documents folder; assumed when the version is unknown.
const DWORD kFolderVersion = 5;

typedef HRESULT(WINAPI* GetFolderPathFunction)(HWND, int, HANDLE, DWORD, LPSTR);

}  // namespace

CMainDlg::CMainDlg(CSystemServices& services, CWnd* parent)
    : CDialog(IDD_MAIN, parent),
      m_bIncludeSize(0),
      m_bIncludeTime(0),
      m_nFormat(0),
      m_hIcon(LoadIconA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_osvi(),
      m_services(services) {}

BOOL CMainDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutItem();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_osvi.dwOSVersionInfoSize = sizeof(m_osvi);
    if (!m_services.GetWindowsVersion(m_osvi)) {
        MessageBox("Can get Windows Version", "Error", MB_OK);
        m_osvi.dwMajorVersion = kFolderVersion;
    }
    LoadSettings();
    return TRUE;
}

void CMainDlg::AddAboutItem() {
    CMenu menu = GetSystemMenu(FALSE);
    if (!menu.m_hMenu)
        return;
    char text[256] = "";
    if (LoadStringA(AfxGetApp()->m_hInstance, IDS_ABOUTBOX, text, sizeof(text)) <= 0)
        return;
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, IDM_ABOUTBOX, text);
}

void CMainDlg::LoadSettings() {
    CWinApp* app = AfxGetApp();
    m_bIncludeSize = static_cast<int32_t>(app->GetProfileInt(kSection, "size", 0));
    m_bIncludeTime = static_cast<int32_t>(app->GetProfileInt(kSection, "time", 0));
    m_nFormat = static_cast<ReportStyle>(app->GetProfileInt(kSection, "format", 0));
    m_strOutputFile =
        GetFolderProfileString(kSection, "filename", theApp.m_strDefaultOutputFile, CSIDL_PERSONAL);
}

// The folder is looked up and any notice shown every time, whether or not a name is stored.
// A folder whose path leaves no room for the file tail gives the default path unchanged.
CString CMainDlg::GetFolderProfileString(const char* section, const char* entry,
                                         const CString& defaultPath, int folderId) {
    CWinApp* app = AfxGetApp();
    if (m_osvi.dwMajorVersion < kFolderVersion)
        return app->GetProfileString(section, entry, defaultPath);
    HMODULE shell = LoadLibraryA("shell32.dll");
    FARPROC function = shell ? GetProcAddress(shell, "SHGetFolderPathA") : nullptr;
    if (!function) {
        if (shell)
            FreeLibrary(shell);
        MessageBox("Can not get SHGetFolderPathA!", "Error", MB_OK);
        return app->GetProfileString(section, entry, defaultPath);
    }
    auto getFolderPath = reinterpret_cast<GetFolderPathFunction>(reinterpret_cast<void*>(function));
    char buffer[MAX_PATH] = "";
    HRESULT result = getFolderPath(m_hWnd, folderId, nullptr, 0, buffer);
    CString path = defaultPath;
    if (result != S_OK) {
        MessageBox("Can not get My Documents directory!", "Error", MB_OK);
    } else {
        CString tail = CMainApp::GetPathFileTail(defaultPath);
        size_t length = strnlen(buffer, MAX_PATH);
        if (length + tail.GetLength() < MAX_PATH)
            path = CString(buffer, length) + tail;
    }
    CString stored = app->GetProfileString(section, entry, path);
    FreeLibrary(shell);
    return stored;
}

bool CMainDlg::OnCommand(UINT id) {
    switch (id) {
        case IDC_DISPLAY:
            OnDisplay();
            return true;
        case IDC_SETTINGS:
            OnSettings();
            return true;
        case ID_HELP:
            OnHelpCommand();
            return true;
        case IDC_ABOUT:
            OnAbout();
            return true;
    }
    return CDialog::OnCommand(id);
}

bool CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_SYSCOMMAND:
            return OnSysCommand(static_cast<UINT>(wParam));
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<LRESULT>(m_hIcon);
            return true;
        case WM_DESTROY:
            OnDestroy();
            return false;
    }
    return false;
}

// The system keeps the low four bits of a system command for itself.
bool CMainDlg::OnSysCommand(UINT id) {
    if ((id & 0xFFFFFFF0u) != IDM_ABOUTBOX)
        return false;
    OnAbout();
    return true;
}

// Only the minimised window is painted here: its icon, centred; otherwise the dialog paints
// itself as usual.
bool CMainDlg::OnPaint() {
    if (!IsIconic())
        return false;
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return true;
}

void CMainDlg::OnDestroy() {
    WinHelp(0, HELP_QUIT);
    CUpdateReminder(*AfxGetApp(), m_services).PromptForUpdateCheck(kProductPage);
}

void CMainDlg::OnDisplay() {
    CString folder;
    if (!PickFolder(m_hWnd, folder))
        return;
    CWinApp* app = AfxGetApp();
    app->DoWaitCursor(1);
    CShellHost host;
    CDirectoryReport report(host);
    report.m_strOutputFile = m_strOutputFile;
    report.m_bIncludeSize = m_bIncludeSize;
    report.m_bIncludeTime = m_bIncludeTime;
    // The name goes unquoted: the editor takes the rest of its command line as the file name.
    if (report.Run(folder, m_nFormat))
        m_services.LaunchProcess(CString("Notepad.exe ") + m_strOutputFile);
    app->DoWaitCursor(-1);
}

bool CMainDlg::PickFolder(HWND owner, CString& path) {
    if (FAILED(CoInitialize(nullptr)))
        return false;
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator))) {
        CoUninitialize();
        return false;
    }
    char buffer[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = buffer;
    info.lpszTitle = "Choose a folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen) {
        SHGetPathFromIDListA(chosen, buffer);
        allocator->Free(chosen);
        path = CString(buffer, strnlen(buffer, MAX_PATH));
    }
    allocator->Release();
    CoUninitialize();
    return chosen != nullptr;
}

void CMainDlg::OnSettings() {
    CSettingsDlg dlg(this);
    dlg.m_bIncludeTime = m_bIncludeTime;
    dlg.m_nFormat = m_nFormat;
    dlg.m_bIncludeSize = m_bIncludeSize;
    dlg.m_strOutputFile = m_strOutputFile;
    dlg.DoModal();
}

void CMainDlg::OnHelpCommand() {
    CString commandLine = CString("hh.exe ") +
                          CMainApp::GetPathDirectory(AfxGetApp()->m_pszHelpFilePath) +
                          "help.chm::/Introduction.htm";
    m_services.StartHelpViewer(commandLine);
}

void CMainDlg::OnAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}

void CMainDlg::OnOK() {
    m_services.OpenWebPage(kHomePage);
}
