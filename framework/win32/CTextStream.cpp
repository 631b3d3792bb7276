#include "../CTextStream.h"

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <string>

// The run time's text mode turns "\n" into CR LF and, on "a+", drops a final 0x1A of the old
// content; the binary modes serve LF line ends.

struct CTextStream::Impl {
    FILE* file = nullptr;
    bool ownsFile = false;
    bool failed = false;
    int error = 0;

    void NoteError() {
        if (!failed) {
            failed = true;
            error = errno;
        }
    }
};

CTextStream::CTextStream() : m_impl(new Impl) {}

CTextStream::~CTextStream() {
    Close();
}

bool CTextStream::Open(const CString& path, const char* mode, bool crlf) {
    Close();
    std::string fullMode = mode;
    if (!crlf)
        fullMode += "b";
    FILE* file = std::fopen(path, fullMode.c_str());
    if (!file)
        return false;
    std::setvbuf(file, nullptr, _IOFBF, 256 * 1024);
    *m_impl = Impl{file, true, false, 0};
    return true;
}

bool CTextStream::OpenStandardOutput(bool crlf) {
    Close();
    _setmode(_fileno(stdout), crlf ? _O_TEXT : _O_BINARY);
    *m_impl = Impl{stdout, false, false, 0};
    return true;
}

bool CTextStream::IsOpen() const {
    return m_impl->file != nullptr;
}

void CTextStream::WriteLine(std::string_view text) {
    Impl& d = *m_impl;
    if (d.failed || !d.file)
        return;
    if (std::fwrite(text.data(), 1, text.size(), d.file) != text.size() ||
        std::fputc('\n', d.file) == EOF)
        d.NoteError();
}

bool CTextStream::Failed() const {
    return m_impl->failed;
}

bool CTextStream::ReaderGone() const {
    return m_impl->error == EPIPE || m_impl->error == EINVAL;
}

bool CTextStream::Close() {
    Impl& d = *m_impl;
    if (!d.file)
        return !d.failed;
    if (std::fflush(d.file) != 0)
        d.NoteError();
    if (d.ownsFile && std::fclose(d.file) != 0)
        d.NoteError();
    d.file = nullptr;
    return !d.failed;
}
