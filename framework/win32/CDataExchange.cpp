#include "CDataExchange.h"

#include "CWnd.h"

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (pDX->m_bSaveAndValidate)
        value = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        ::SendMessageA(control, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(id);
    else
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
}
