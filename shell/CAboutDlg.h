#pragma once

#include "CDialog.h"

// The About box: the program's version, the maker and its web pages; OK closes it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
