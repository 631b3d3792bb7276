#include "../CFileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

struct CFileHandle::Impl {
    int fd = -1;
    bool owned = false;
    int error = 0;
};

CFileHandle::CFileHandle() : m_impl(new Impl) {}

CFileHandle::~CFileHandle() {
    Close();
}

bool CFileHandle::Open(const CString& path, bool append) {
    Close();
    // Appending reads the old end of a regular file; anything else (a FIFO, a device) is opened
    // write-only, since reading a FIFO ourselves would take the data meant for its reader.
    struct stat st;
    bool readable = append && (stat(path, &st) != 0 || S_ISREG(st.st_mode));
    int flags = (readable ? O_RDWR : O_WRONLY) | O_CREAT | (append ? O_APPEND : O_TRUNC);
    // O_NONBLOCK lets a FIFO without a reader fail at once instead of hanging; writes block again.
    int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return false;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    *m_impl = Impl{fd, true, 0};
    return true;
}

void CFileHandle::OpenStandardOutput() {
    Close();
    *m_impl = Impl{STDOUT_FILENO, false, 0};
}

bool CFileHandle::IsOpen() const {
    return m_impl->fd >= 0;
}

void CFileHandle::DropFinalByte(char byte) {
    struct stat st;
    int fd = m_impl->fd;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return;
    char last = 0;
    if (pread(fd, &last, 1, st.st_size - 1) == 1 && last == byte)
        (void)ftruncate(fd, st.st_size - 1);
}

bool CFileHandle::Write(const char* data, size_t length) {
    while (length > 0) {
        ssize_t n = write(m_impl->fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_impl->error = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

bool CFileHandle::ReaderGone() const {
    return m_impl->error == EPIPE;
}

bool CFileHandle::Close() {
    Impl& d = *m_impl;
    bool closed = true;
    if (d.fd >= 0 && d.owned)
        closed = close(d.fd) == 0;
    d.fd = -1;
    return closed;
}
