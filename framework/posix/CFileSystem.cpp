#include "../CFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char CFileSystem::kSeparator = '/';
const size_t CFileSystem::kMaxPath = 0;

// stat("file/") fails with ENOTDIR, so the path is looked at without its trailing separator:
// a regular file given as the directory is then "not a directory", as on Windows.
CFileSystem::PathKind CFileSystem::QueryPath(const CString& path) {
    CString bare = path;
    while (bare.GetLength() > 1 && bare.GetAt(bare.GetLength() - 1) == '/')
        bare.Truncate(bare.GetLength() - 1);
    struct stat st;
    if (stat(bare, &st) != 0)
        return kQueryFailed;
    return S_ISDIR(st.st_mode) ? kDirectory : kNotDirectory;
}

// Only a regular file counts: a device, a FIFO or a terminal named as the output is written to
// as it is, and never offered for deletion.
bool CFileSystem::FileExists(const CString& path) {
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st;
    bool exists = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    close(fd);
    return exists;
}

void CFileSystem::Remove(const CString& path) {
    unlink(path);
}
