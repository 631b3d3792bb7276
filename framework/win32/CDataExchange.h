#pragma once

#include "CString.h"

class CWnd;

// One transfer between a dialog's controls and its members: into the members when saving,
// into the controls otherwise.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    bool m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// A check box and an integer: 1 is checked, every other value shows the box cleared, as only 1
// switches a setting on.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// An edit control and its whole text, of any length.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
