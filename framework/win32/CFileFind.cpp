#include "../CFileFind.h"

#include <windows.h>

#include <cstring>

namespace {

const size_t kMaxPattern = MAX_PATH - 1;

int64_t TicksOf(const FILETIME& time) {
    return (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Junctions and symbolic links are listed but never entered; other reparse points (cloud
// placeholders, deduplicated files) are ordinary directories.
bool IsLink(const WIN32_FIND_DATAA& data) {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT ||
           data.dwReserved0 == IO_REPARSE_TAG_SYMLINK;
}

}  // namespace

struct CFileFind::Impl {
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA data;
    bool pending = false;  // data holds an entry not yet handed out
};

CFileFind::CFileFind() : m_impl(new Impl) {}

CFileFind::~CFileFind() {
    Close();
}

bool CFileFind::Open(const CString& directory, bool, bool) {
    Close();
    CString pattern = directory + "*.*";
    if (pattern.GetLength() > kMaxPattern)
        return false;
    m_impl->find = FindFirstFileExA(pattern, FindExInfoBasic, &m_impl->data, FindExSearchNameMatch,
                                    nullptr, FIND_FIRST_EX_LARGE_FETCH);
    m_impl->pending = m_impl->find != INVALID_HANDLE_VALUE;
    return m_impl->pending;
}

bool CFileFind::Next(CDirectoryEntry& entry) {
    if (m_impl->find == INVALID_HANDLE_VALUE)
        return false;
    // The first entry came with FindFirstFileEx; the name handed out stays valid until this call.
    if (!m_impl->pending && !FindNextFileA(m_impl->find, &m_impl->data))
        return false;
    m_impl->pending = false;
    const WIN32_FIND_DATAA& data = m_impl->data;
    entry.name = std::string_view(data.cFileName, std::strlen(data.cFileName));
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = IsLink(data);
    entry.length = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.lastWrite = CTime::FromFileTicks(TicksOf(data.ftLastWriteTime));
    return true;
}

void CFileFind::Close() {
    if (m_impl->find != INVALID_HANDLE_VALUE)
        FindClose(m_impl->find);
    m_impl->find = INVALID_HANDLE_VALUE;
    m_impl->pending = false;
}

void CFileFind::Finish() {
    Close();
}
