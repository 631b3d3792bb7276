#pragma once

#include <cstddef>

#include "CString.h"

// The few file operations a listing needs besides enumeration and the output stream.
class CFileSystem {
public:
    enum PathKind { kQueryFailed, kDirectory, kNotDirectory };

    // The separator that ends every directory path: "\\" on Windows, "/" on POSIX.
    static const char kSeparator;
    // The longest path the platform's narrow file functions take; 0 for no limit.
    static const size_t kMaxPath;

    // What the path names. A trailing separator is allowed.
    static PathKind QueryPath(const CString& path);
    // True when the file can be opened for reading while others read it too; a directory never
    // counts. Shows no system error dialog.
    static bool FileExists(const CString& path);
    // Deletes a file; the result does not matter to the callers.
    static void Remove(const CString& path);
};
