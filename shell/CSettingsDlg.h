#pragma once

#include <cstdint>

#include "CDialog.h"
#include "CDirectoryReport.h"
#include "CString.h"

class CMainDlg;

// Changes the four report settings on a copy; OK hands them to the main window and stores them
// in the profile, Cancel drops them.
class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(CMainDlg* pMainDlg);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    ReportStyle m_nFormat;
    int32_t m_bIncludeSize;
    int32_t m_bIncludeTime;
    CString m_strOutputFile;
    CMainDlg* m_pMainDlg;

protected:
    bool OnCommand(UINT id) override;

private:
    void OnListView();
    void OnTreeView();
    void OnBrowse();
    void Select(int radioButton);
};
