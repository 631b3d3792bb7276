#include "CString.h"

CString& CString::operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
}

CString& CString::operator+=(std::string_view text) {
    m_str += text;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text)
        m_str += text;
    return *this;
}

CString& CString::operator+=(char c) {
    m_str += c;
    return *this;
}

CString CString::Left(size_t count) const {
    return CString(m_str.substr(0, count));
}

CString CString::Mid(size_t first) const {
    return first >= m_str.size() ? CString() : CString(m_str.substr(first));
}

long long CString::ReverseFind(char c) const {
    size_t pos = m_str.rfind(c);
    return pos == std::string::npos ? -1 : static_cast<long long>(pos);
}

void CString::Truncate(size_t length) {
    if (length < m_str.size())
        m_str.resize(length);
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b) {
    CString result(a);
    result += b;
    return result;
}
