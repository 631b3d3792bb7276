#pragma once

#include <windows.h>

#include "CString.h"

class CWnd;

// The application object of a dialog program: its name, the help file path beside the
// executable, the main window, and the profile kept in the registry.
class CWinApp {
public:
    // The program's name comes from the executable's file name. The application object
    // registers itself so that the framework's functions find it; an application object made
    // while another exists stands in for it until it is destroyed.
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Starts the program; a dialog program runs its main window here and returns FALSE.
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Moves the profile to HKEY_CURRENT_USER\Software\<key>\<application name>.
    void SetRegistryKey(const char* key);

    // Reading creates the keys of the section too, as writing does. A value that is absent, of
    // another registry type or of another size reads as the default.
    // Virtual, so that a derived application can watch its profile.
    virtual UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    virtual BOOL WriteProfileInt(const char* section, const char* entry, int value);
    virtual CString GetProfileString(const char* section, const char* entry,
                                     const char* defaultValue);
    virtual BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    // 1 shows the wait cursor, -1 undoes one such call; the calls nest by count.
    void DoWaitCursor(int code);

    // Forwards F1 in any of the program's dialogs to the main window as the command ID_HELP.
    // Installed once, by the first dialog that runs.
    void EnableHelpKey();

    HINSTANCE m_hInstance;
    const char* m_pszAppName;
    const char* m_pszHelpFilePath;
    const char* m_pszRegistryKey;
    const char* m_pszProfileName;
    CWnd* m_pMainWnd;
    int m_nWaitCursorCount;

private:
    HKEY OpenSectionKey(const char* section);
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);
    bool ForwardHelpKey(const MSG& message);

    CWinApp* m_pPreviousApp;
    CString m_strAppName;
    CString m_strHelpFilePath;
    CString m_strRegistryKey;
    HCURSOR m_hcurWaitCursorRestore;
    HHOOK m_hMessageFilter;
};

// The application object.
CWinApp* AfxGetApp();

// Runs the application object: InitInstance, then ExitInstance. Called by WinMain.
int AfxWinMain(CWinApp& app);

// A message box modal to the main window, with the application's name as its caption; without
// an icon in type it shows the exclamation icon.
int AfxMessageBox(const char* text, UINT type = MB_OK);
