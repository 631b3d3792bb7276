#include "CSystemHost.h"

CFileSystem::PathKind CSystemHost::QueryPath(const CString& path) {
    return CFileSystem::QueryPath(path);
}

bool CSystemHost::FileExists(const CString& path) {
    return CFileSystem::FileExists(path);
}

void CSystemHost::RemoveFile(const CString& path) {
    CFileSystem::Remove(path);
}

size_t CSystemHost::MaxPathLength() {
    return CFileSystem::kMaxPath;
}

char CSystemHost::Separator() {
    return CFileSystem::kSeparator;
}

bool CSystemHost::OpenOutput(CTextStream& stream, const CString& path, const char* mode) {
    return stream.Open(path, mode);
}

CDirectoryEnumerator& CSystemHost::Enumerator() {
    return m_finder;
}

CTime CSystemHost::Now() {
    return CTime::Now();
}
