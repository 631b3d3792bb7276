#include "../CFileSystem.h"

#include <windows.h>

const char CFileSystem::kSeparator = '\\';
const size_t CFileSystem::kMaxPath = MAX_PATH - 1;

// Some file systems refuse a file name followed by a backslash; asked again without it, a file
// given as the directory is then "not a directory" everywhere.
CFileSystem::PathKind CFileSystem::QueryPath(const CString& path) {
    DWORD attributes = GetFileAttributesA(path);
    size_t length = path.GetLength();
    if (attributes == INVALID_FILE_ATTRIBUTES && length > 1 && path.GetAt(length - 1) == '\\')
        attributes = GetFileAttributesA(path.Left(length - 1));
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
