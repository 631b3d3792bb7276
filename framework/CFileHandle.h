#pragma once

#include <cstddef>
#include <memory>

#include "CString.h"

// An open file for writing bytes as they are, without any translation.
class CFileHandle {
public:
    CFileHandle();
    ~CFileHandle();
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    // Creates or empties the file; with append, keeps the content and writes after it.
    // Never waits for a reader of a named pipe.
    bool Open(const CString& path, bool append);
    // The process's standard output.
    void OpenStandardOutput();
    bool IsOpen() const;

    // Removes the file's last byte when it is the given one.
    void DropFinalByte(char byte);
    // Writes all of data; false on failure.
    bool Write(const char* data, size_t length);
    // True when the last failure was a reader that went away (a closed pipe).
    bool ReaderGone() const;
    // Closes the file (standard output stays open); false when the system reports a failure.
    bool Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
