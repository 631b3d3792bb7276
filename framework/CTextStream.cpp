#include "CTextStream.h"

#include <cstring>
#include <string>

#include "CFileHandle.h"

namespace {

const size_t kBufferSize = 256 * 1024;
const char kEndOfFile = 0x1A;

}  // namespace

struct CTextStream::Impl {
    CFileHandle file;
    bool crlf = true;
    bool failed = false;
    std::string buffer;

    void Flush() {
        if (!failed && !buffer.empty() && !file.Write(buffer.data(), buffer.size()))
            failed = true;
        buffer.clear();
    }
};

CTextStream::CTextStream() : m_impl(new Impl) {
    m_impl->buffer.reserve(kBufferSize + 4096);
}

CTextStream::~CTextStream() {
    Close();
}

bool CTextStream::Open(const CString& path, const char* mode, bool crlf) {
    Close();
    bool append = std::strcmp(mode, "a+") == 0;
    if (!m_impl->file.Open(path, append))
        return false;
    // Text files of old used 0x1A as their end; appending goes where the text really ends.
    if (append)
        m_impl->file.DropFinalByte(kEndOfFile);
    m_impl->crlf = crlf;
    m_impl->failed = false;
    return true;
}

bool CTextStream::OpenStandardOutput(bool crlf) {
    Close();
    m_impl->file.OpenStandardOutput();
    m_impl->crlf = crlf;
    m_impl->failed = false;
    return true;
}

bool CTextStream::IsOpen() const {
    return m_impl->file.IsOpen();
}

void CTextStream::WriteLine(std::string_view text) {
    Impl& d = *m_impl;
    if (d.failed)
        return;
    if (d.crlf) {
        for (size_t nl; (nl = text.find('\n')) != std::string_view::npos;) {
            d.buffer.append(text.data(), nl);
            d.buffer += "\r\n";
            text.remove_prefix(nl + 1);
        }
    }
    d.buffer += text;
    d.buffer += d.crlf ? "\r\n" : "\n";
    if (d.buffer.size() >= kBufferSize)
        d.Flush();
}

bool CTextStream::Failed() const {
    return m_impl->failed;
}

bool CTextStream::ReaderGone() const {
    return m_impl->file.ReaderGone();
}

bool CTextStream::Close() {
    Impl& d = *m_impl;
    if (!d.file.IsOpen())
        return !d.failed;
    d.Flush();
    if (!d.file.Close())
        d.failed = true;
    return !d.failed;
}
