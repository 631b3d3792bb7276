#include "../CFileSystem.h"

#include <windows.h>

const char CFileSystem::kSeparator = '\\';
const size_t CFileSystem::kMaxPath = MAX_PATH - 1;

CFileSystem::PathKind CFileSystem::QueryPath(const CString& path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return kQueryFailed;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kDirectory : kNotDirectory;
}

bool CFileSystem::FileExists(const CString& path) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    SetErrorMode(previous);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void CFileSystem::Remove(const CString& path) {
    DeleteFileA(path);
}
