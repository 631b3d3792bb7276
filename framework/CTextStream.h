#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "CString.h"

// The output text stream of a listing, buffered. Every "\n" reaches the file as CR LF (unless the
// stream was opened for LF line ends); nothing else is translated. Both platforms translate here,
// so their files are identical. A failed write is remembered, so the
// writer learns at Close whether everything it wrote arrived.
class CTextStream {
public:
    CTextStream();
    ~CTextStream();
    CTextStream(const CTextStream&) = delete;
    CTextStream& operator=(const CTextStream&) = delete;

    // mode "w": create, or empty an existing file. mode "a+": append after the old content,
    // creating a missing file; a final end-of-file byte 0x1A of the old content is dropped.
    bool Open(const CString& path, const char* mode, bool crlf = true);
    // Writes to the process's standard output instead of a file.
    bool OpenStandardOutput(bool crlf = true);
    bool IsOpen() const;

    // Writes text followed by "\n".
    void WriteLine(std::string_view text);
    // True once a write has failed.
    bool Failed() const;
    // True when the failure was a reader that went away (a closed pipe).
    bool ReaderGone() const;
    // Flushes and closes; false when anything written was lost.
    bool Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
