#include "../CTextStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

const size_t kBufferSize = 256 * 1024;
const char kEndOfFile = 0x1A;

// Opens without blocking on a FIFO that has no reader, then blocks as usual.
int OpenForWriting(const char* path, int flags) {
    int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

void DropFinalEndOfFile(int fd) {
    struct stat st;
    char last;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
        pread(fd, &last, 1, st.st_size - 1) == 1 && last == kEndOfFile)
        (void)ftruncate(fd, st.st_size - 1);
}

}  // namespace

struct CTextStream::Impl {
    int fd = -1;
    bool ownsFd = false;
    bool crlf = true;
    bool failed = false;
    int error = 0;
    std::string buffer;

    void Flush();
    void Put(std::string_view text);
};

void CTextStream::Impl::Flush() {
    const char* p = buffer.data();
    size_t left = buffer.size();
    while (left > 0 && !failed) {
        ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed = true;
            error = n < 0 ? errno : ENOSPC;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    buffer.clear();
}

// Appends text, each "\n" in it as CR LF when asked for.
void CTextStream::Impl::Put(std::string_view text) {
    if (!crlf) {
        buffer += text;
        return;
    }
    for (;;) {
        size_t nl = text.find('\n');
        if (nl == std::string_view::npos) {
            buffer += text;
            return;
        }
        buffer.append(text.data(), nl);
        buffer += "\r\n";
        text.remove_prefix(nl + 1);
    }
}

CTextStream::CTextStream() : m_impl(new Impl) {
    m_impl->buffer.reserve(kBufferSize + 4096);
}

CTextStream::~CTextStream() {
    Close();
}

bool CTextStream::Open(const CString& path, const char* mode, bool crlf) {
    Close();
    bool append = std::strcmp(mode, "a+") == 0;
    int fd = OpenForWriting(path, append ? O_RDWR | O_CREAT | O_APPEND : O_WRONLY | O_CREAT | O_TRUNC);
    if (fd < 0)
        return false;
    if (append)
        DropFinalEndOfFile(fd);
    *m_impl = Impl{fd, true, crlf, false, 0, std::move(m_impl->buffer)};
    return true;
}

bool CTextStream::OpenStandardOutput(bool crlf) {
    Close();
    *m_impl = Impl{STDOUT_FILENO, false, crlf, false, 0, std::move(m_impl->buffer)};
    return true;
}

bool CTextStream::IsOpen() const {
    return m_impl->fd >= 0;
}

void CTextStream::WriteLine(std::string_view text) {
    if (m_impl->failed)
        return;
    m_impl->Put(text);
    m_impl->Put("\n");
    if (m_impl->buffer.size() >= kBufferSize)
        m_impl->Flush();
}

bool CTextStream::Failed() const {
    return m_impl->failed;
}

bool CTextStream::ReaderGone() const {
    return m_impl->error == EPIPE;
}

bool CTextStream::Close() {
    Impl& d = *m_impl;
    if (d.fd < 0)
        return !d.failed;
    d.Flush();
    if (d.ownsFd && close(d.fd) != 0 && !d.failed) {
        d.failed = true;
        d.error = errno;
    }
    d.fd = -1;
    return !d.failed;
}
