#pragma once

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "CString.h"

class CWnd;

// The system's Open or Save As dialog for one file.
class CFileDialog {
public:
    // filter: pairs of "description|pattern|", ending in "|"; initialName fills the name box;
    // without a parent the active window owns the dialog.
    CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr,
                const char* initialName = nullptr, DWORD flags = 0, const char* filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    // The chosen file's full path.
    CString GetPathName() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefaultExtension;
    std::vector<char> m_filter;
    std::vector<char> m_fileName;
    CWnd* m_pParentWnd;
};
