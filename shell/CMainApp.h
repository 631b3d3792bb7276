#pragma once

#include "CString.h"
#include "CWinApp.h"

// The application object: selects the profile, computes the default output file and runs the
// main window; the program ends when that window has closed.
class CMainApp : public CWinApp {
public:
    CMainApp();
    ~CMainApp() override;

    // Prepares the profile and runs the main window; always FALSE, so no message loop follows.
    BOOL InitInstance() override;
    // The part of the start before the main window: the profile's location and the start-up
    // default output path, quorvel.txt beside the executable.
    void InitProfile();

    // The path up to and including its last backslash; empty without one.
    static CString GetPathDirectory(const CString& path);
    // The path from its last backslash (included) to the end; empty without one.
    static CString GetPathFileTail(const CString& path);

    CString m_strDefaultOutputFile;
};

// The one application object.
extern CMainApp theApp;
