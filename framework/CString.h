#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A byte string in the system's narrow code page. Paths and names pass through it unchanged,
// byte for byte: no encoding is assumed and embedded bytes of any value are kept.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const char* text, size_t length) : m_str(text, length) {}
    CString(std::string_view text) : m_str(text) {}
    CString(std::string text) : m_str(std::move(text)) {}

    size_t GetLength() const { return m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    std::string_view View() const { return m_str; }
    char GetAt(size_t index) const { return m_str[index]; }

    CString& operator+=(const CString& other);
    CString& operator+=(std::string_view text);
    CString& operator+=(const char* text);
    CString& operator+=(char c);

    CString Left(size_t count) const;
    CString Mid(size_t first) const;
    // Index of the last occurrence of c, or -1.
    long long ReverseFind(char c) const;
    void Truncate(size_t length);
    // Replaces the content, keeping the capacity already reserved.
    void Assign(std::string_view text) { m_str.assign(text); }
    void Empty() { m_str.clear(); }
    void Reserve(size_t capacity) { m_str.reserve(capacity); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_str != b.m_str; }

private:
    std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
