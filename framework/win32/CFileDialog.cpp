#include "CFileDialog.h"

#include <cstring>

#include "CWnd.h"

namespace {

// The system wants the filter's parts separated by zeros and ended by two.
std::vector<char> FilterParts(const char* filter) {
    std::vector<char> parts;
    for (const char* p = filter ? filter : ""; *p; p++) parts.push_back(*p == '|' ? '\0' : *p);
    parts.push_back('\0');
    parts.push_back('\0');
    return parts;
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* initialName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_ofn(),
      m_bOpenFileDialog(openFileDialog),
      m_strDefaultExtension(defaultExtension),
      m_filter(FilterParts(filter)),
      m_fileName(MAX_PATH, '\0'),
      m_pParentWnd(parent) {
    if (initialName)
        std::strncpy(m_fileName.data(), initialName, m_fileName.size() - 1);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
    m_ofn.lpstrDefExt = defaultExtension ? m_strDefaultExtension.GetString() : nullptr;
    m_ofn.lpstrFilter = filter ? m_filter.data() : nullptr;
    m_ofn.nFilterIndex = 1;
    m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : GetActiveWindow();
    m_ofn.hInstance = GetModuleHandleA(nullptr);
    BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    return CString(m_fileName.data());
}
