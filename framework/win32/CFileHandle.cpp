#include "../CFileHandle.h"

#include <windows.h>

struct CFileHandle::Impl {
    HANDLE file = INVALID_HANDLE_VALUE;
    bool owned = false;
    DWORD error = 0;
};

CFileHandle::CFileHandle() : m_impl(new Impl) {}

CFileHandle::~CFileHandle() {
    Close();
}

bool CFileHandle::Open(const CString& path, bool append) {
    Close();
    DWORD access = append ? GENERIC_READ | GENERIC_WRITE : GENERIC_WRITE;
    HANDLE file = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    *m_impl = Impl{file, true, 0};
    LARGE_INTEGER zero = {};
    SetFilePointerEx(file, zero, nullptr, FILE_END);
    return true;
}

void CFileHandle::OpenStandardOutput() {
    Close();
    *m_impl = Impl{GetStdHandle(STD_OUTPUT_HANDLE), false, 0};
}

bool CFileHandle::IsOpen() const {
    return m_impl->file != INVALID_HANDLE_VALUE && m_impl->file != nullptr;
}

void CFileHandle::DropFinalByte(char byte) {
    HANDLE file = m_impl->file;
    LARGE_INTEGER size, last = {};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart == 0)
        return;
    last.QuadPart = size.QuadPart - 1;
    char c;
    DWORD read = 0;
    if (SetFilePointerEx(file, last, nullptr, FILE_BEGIN) &&
        ReadFile(file, &c, 1, &read, nullptr) && read == 1 && c == byte) {
        SetFilePointerEx(file, last, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    LARGE_INTEGER zero = {};
    SetFilePointerEx(file, zero, nullptr, FILE_END);
}

bool CFileHandle::Write(const char* data, size_t length) {
    while (length > 0) {
        DWORD chunk = length > 0x40000000 ? 0x40000000 : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!WriteFile(m_impl->file, data, chunk, &written, nullptr) || written == 0) {
            m_impl->error = GetLastError();
            return false;
        }
        data += written;
        length -= written;
    }
    return true;
}

bool CFileHandle::ReaderGone() const {
    return m_impl->error == ERROR_BROKEN_PIPE || m_impl->error == ERROR_NO_DATA;
}

bool CFileHandle::Close() {
    Impl& d = *m_impl;
    bool closed = true;
    if (IsOpen() && d.owned)
        closed = CloseHandle(d.file) != 0;
    d.file = INVALID_HANDLE_VALUE;
    return closed;
}
