#pragma once

#include <windows.h>

#include <cstdint>

#include "CDialog.h"
#include "CDirectoryReport.h"
#include "CString.h"
#include "CSystemServices.h"

// The main window: holds the report settings, loaded from the profile when it opens, and runs
// the commands of its buttons: Display, Settings, Help, About, Homepage and Exit. Closing it
// runs the update reminder.
class CMainDlg : public CDialog {
public:
    explicit CMainDlg(CSystemServices& services, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // The Homepage button and Enter: opens the maker's home page; the window stays open.
    void OnOK() override;

    // The stored text of entry, or a default: defaultPath's file tail in the shell folder
    // folderId, or defaultPath itself where that folder cannot be had.
    CString GetFolderProfileString(const char* section, const char* entry,
                                   const CString& defaultPath, int folderId);

    // The shell's folder picker, owned by owner; true and the folder's path when one was chosen.
    static bool PickFolder(HWND owner, CString& path);

    CString m_strOutputFile;
    int32_t m_bIncludeSize;
    int32_t m_bIncludeTime;
    ReportStyle m_nFormat;
    HICON m_hIcon;
    OSVERSIONINFOA m_osvi;

protected:
    bool OnCommand(UINT id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AddAboutItem();
    void LoadSettings();
    bool OnSysCommand(UINT id);
    bool OnPaint();
    void OnDestroy();
    void OnDisplay();
    void OnSettings();
    void OnHelpCommand();
    void OnAbout();

    CSystemServices& m_services;
};
