#include "CWinApp.h"

#include <string>
#include <vector>

#include "CDialog.h"
#include "CWnd.h"

namespace {

// The one application object; set by its constructor.
CWinApp* g_pApp = nullptr;

// A profile text longer than the longest path the system knows is not one of ours.
const DWORD kMaxProfileString = 32767;

CString ModulePath(HINSTANCE instance) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameA(instance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return CString(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

// The file name without directory and extension: "Quorvel" for C:\Programs\Quorvel.exe.
CString BaseName(const CString& path) {
    CString name = path.Mid(static_cast<size_t>(path.ReverseFind('\\') + 1));
    long long dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(static_cast<size_t>(dot));
}

CString WithExtension(const CString& path, const char* extension) {
    long long dot = path.ReverseFind('.');
    long long slash = path.ReverseFind('\\');
    return (dot > slash ? path.Left(static_cast<size_t>(dot)) : path) + extension;
}

std::wstring Wide(const char* text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

CString Narrow(const wchar_t* text, size_t length) {
    if (length == 0)
        return CString();
    int wideLength = static_cast<int>(length);
    int size = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wideLength, narrow.data(), size, nullptr, nullptr);
    return CString(std::move(narrow));
}

HKEY CreateKey(HKEY parent, const char* name) {
    HKEY key = nullptr;
    DWORD disposition;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

CWinApp::CWinApp()
    : m_hInstance(GetModuleHandleA(nullptr)),
      m_pszAppName(nullptr),
      m_pszHelpFilePath(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr),
      m_pMainWnd(nullptr),
      m_nWaitCursorCount(0),
      m_pPreviousApp(g_pApp),
      m_hcurWaitCursorRestore(nullptr),
      m_hMessageFilter(nullptr) {
    g_pApp = this;
    CString modulePath = ModulePath(m_hInstance);
    m_strAppName = BaseName(modulePath);
    m_strHelpFilePath = WithExtension(modulePath, ".HLP");
    m_pszAppName = m_strAppName;
    m_pszHelpFilePath = m_strHelpFilePath;
}

CWinApp::~CWinApp() {
    if (m_hMessageFilter)
        UnhookWindowsHookEx(m_hMessageFilter);
    if (g_pApp == this)
        g_pApp = m_pPreviousApp;
}

BOOL CWinApp::InitInstance() {
    return FALSE;
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::SetRegistryKey(const char* key) {
    m_strRegistryKey = key;
    m_pszRegistryKey = m_strRegistryKey;
    m_pszProfileName = m_pszAppName;
}

// HKEY_CURRENT_USER\Software\<key>\<application>\<section>, each level created when missing.
HKEY CWinApp::OpenSectionKey(const char* section) {
    if (!m_pszRegistryKey)
        return nullptr;
    HKEY software = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, KEY_WRITE | KEY_READ, &software) !=
        ERROR_SUCCESS)
        return nullptr;
    HKEY maker = CreateKey(software, m_pszRegistryKey);
    RegCloseKey(software);
    if (!maker)
        return nullptr;
    HKEY application = CreateKey(maker, m_pszProfileName);
    RegCloseKey(maker);
    if (!application)
        return nullptr;
    HKEY sectionKey = CreateKey(application, section);
    RegCloseKey(application);
    return sectionKey;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) {
    HKEY key = OpenSectionKey(section);
    if (!key)
        return static_cast<UINT>(defaultValue);
    DWORD type = 0, value = 0, size = sizeof(value);
    LONG result =
        RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
    HKEY key = OpenSectionKey(section);
    if (!key)
        return FALSE;
    DWORD data = static_cast<DWORD>(value);
    LONG result = RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                 sizeof(data));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Only a REG_SZ whose data holds its terminating zero within the size limit is taken; the
// text ends at its first zero. The system keeps texts in UTF-16: they are read as stored, so
// an unterminated one is seen as such, and converted to the ANSI code page as the narrow
// functions would.
CString CWinApp::GetProfileString(const char* section, const char* entry,
                                  const char* defaultValue) {
    HKEY key = OpenSectionKey(section);
    if (!key)
        return CString(defaultValue);
    std::wstring name = Wide(entry);
    DWORD type = 0, size = 0;
    LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    std::vector<wchar_t> data;
    // No room beyond the stored size: the system would add a terminator of its own there.
    if (result == ERROR_SUCCESS && type == REG_SZ && size > 0 &&
        size <= kMaxProfileString * 2 + 2) {
        data.resize((size + 1) / 2);
        result = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
    }
    RegCloseKey(key);
    if (data.empty() || result != ERROR_SUCCESS || type != REG_SZ || size % 2 != 0 ||
        size / 2 > data.size())
        return CString(defaultValue);
    for (size_t i = 0; i < size / 2; i++) {
        if (data[i] == L'\0')
            return Narrow(data.data(), i);
    }
    return CString(defaultValue);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    HKEY key = OpenSectionKey(section);
    if (!key)
        return FALSE;
    CString text(value);
    LONG result =
        RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.GetString()),
                       static_cast<DWORD>(text.GetLength() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void CWinApp::DoWaitCursor(int code) {
    if (code > 0) {
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        if (m_nWaitCursorCount++ == 0)
            m_hcurWaitCursorRestore = previous;
    } else if (code < 0 && m_nWaitCursorCount > 0) {
        if (--m_nWaitCursorCount == 0)
            SetCursor(m_hcurWaitCursorRestore);
    }
}

void CWinApp::EnableHelpKey() {
    if (!m_hMessageFilter)
        m_hMessageFilter =
            SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
}

// The dialog manager offers every message of a modal loop to this filter before it handles it.
LRESULT CALLBACK CWinApp::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    CWinApp* app = AfxGetApp();
    if (code == MSGF_DIALOGBOX && app && app->ForwardHelpKey(*reinterpret_cast<MSG*>(lParam)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// F1 without Shift, Ctrl or Alt in one of the program's own dialogs asks the main window for
// help; dialogs of the system (message boxes, file and folder pickers) keep their own F1.
bool CWinApp::ForwardHelpKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_F1 || !m_pMainWnd ||
        !m_pMainWnd->m_hWnd)
        return false;
    if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    if (!CDialog::IsOwnDialog(GetAncestor(message.hwnd, GA_ROOT)))
        return false;
    m_pMainWnd->SendMessage(WM_COMMAND, ID_HELP, 0);
    return true;
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

// A dialog program has done all its work when InitInstance returns; there is no message loop
// of the application's own.
int AfxWinMain(CWinApp& app) {
    app.InitInstance();
    return app.ExitInstance();
}

int AfxMessageBox(const char* text, UINT type) {
    CWinApp* app = AfxGetApp();
    HWND owner = nullptr;
    if (app && app->m_pMainWnd && IsWindow(app->m_pMainWnd->m_hWnd))
        owner = app->m_pMainWnd->m_hWnd;
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    return MessageBoxA(owner, text, app ? app->m_pszAppName : nullptr, type);
}
