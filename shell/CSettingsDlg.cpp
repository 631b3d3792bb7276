#include "CSettingsDlg.h"

#include "CFileDialog.h"
#include "CMainDlg.h"
#include "CWinApp.h"
#include "resource.h"

namespace {

const char kSection[] = "settings";
const char kFilter[] = "archive file (*.txt)|*.txt|All Files (*.*)|*.*||";

}  // namespace

CSettingsDlg::CSettingsDlg(CMainDlg* pMainDlg)
    : CDialog(IDD_SETTINGS, pMainDlg),
      m_nFormat(0),
      m_bIncludeSize(0),
      m_bIncludeTime(0),
      m_pMainDlg(pMainDlg) {}

void CSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, IDC_INCLUDE_SIZE, m_bIncludeSize);
    DDX_Check(pDX, IDC_INCLUDE_TIME, m_bIncludeTime);
    DDX_Text(pDX, IDC_OUTPUT_FILE, m_strOutputFile);
}

// Only exactly 1 shows the tree; any other stored style shows the list and is kept unless the
// user picks a view.
BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Select(m_nFormat == 1 ? IDC_TREE_VIEW : IDC_LIST_VIEW);
    return TRUE;
}

bool CSettingsDlg::OnCommand(UINT id) {
    switch (id) {
        case IDC_LIST_VIEW:
            OnListView();
            return true;
        case IDC_TREE_VIEW:
            OnTreeView();
            return true;
        case IDC_BROWSE:
            OnBrowse();
            return true;
    }
    return CDialog::OnCommand(id);
}

void CSettingsDlg::OnListView() {
    Select(IDC_LIST_VIEW);
    m_nFormat = 0;
}

void CSettingsDlg::OnTreeView() {
    Select(IDC_TREE_VIEW);
    m_nFormat = 1;
}

void CSettingsDlg::Select(int radioButton) {
    ::SendMessageA(GetDlgItem(radioButton), BM_SETCHECK, BST_CHECKED, 0);
}

// Choosing a file only names it: the report asks before it replaces or appends.
void CSettingsDlg::OnBrowse() {
    CFileDialog dialog(FALSE, "txt", "*.txt", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_SHOWHELP,
                       kFilter);
    if (dialog.DoModal() != IDOK)
        return;
    m_strOutputFile = dialog.GetPathName();
    SetDlgItemText(IDC_OUTPUT_FILE, m_strOutputFile);
}

void CSettingsDlg::OnOK() {
    UpdateData(TRUE);
    m_pMainDlg->m_bIncludeSize = m_bIncludeSize;
    m_pMainDlg->m_bIncludeTime = m_bIncludeTime;
    m_pMainDlg->m_strOutputFile = m_strOutputFile;
    m_pMainDlg->m_nFormat = m_nFormat;
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSection, "size", m_bIncludeSize);
    app->WriteProfileInt(kSection, "time", m_bIncludeTime);
    app->WriteProfileString(kSection, "filename", m_strOutputFile);
    app->WriteProfileInt(kSection, "format", m_nFormat);
    CDialog::OnOK();
}
