#pragma once

#include <memory>

#include "CDirectoryEnumerator.h"

// The platform's directory enumeration.
//
// Windows: FindFirstFileEx on the directory and "*.*"; a pattern longer than 259 characters
// cannot be read. POSIX: getdents on a descriptor; a subdirectory is opened relative to its
// parent's descriptor, so paths of any length are read, and lengths and times are taken with
// fstatat only when asked for.
class CFileFind : public CDirectoryEnumerator {
public:
    CFileFind();
    ~CFileFind() override;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    bool Open(const CString& directory, bool wantLength, bool wantTime) override;
    bool Next(CDirectoryEntry& entry) override;
    void Close() override;
    void Finish() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
