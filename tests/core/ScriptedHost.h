#pragma once

#include <map>
#include <string>
#include <vector>

#include "CSystemHost.h"

// A directory entry as a test writes it down.
struct ScriptedEntry {
    std::string name;
    bool isDirectory = false;
    uint64_t length = 0;
    CTime lastWrite;
    bool isLink = false;
};

ScriptedEntry File(const std::string& name, uint64_t length = 0, CTime lastWrite = CTime());
ScriptedEntry Dir(const std::string& name, CTime lastWrite = CTime());
// Noon UTC of a calendar day: the same local date in every zone within eleven hours of UTC.
CTime Noon(int year, int month, int day);

// The real file system, with a scripted clock and a scripted user.
class TestHost : public CSystemHost {
public:
    CTime Now() override { return now; }
    void ShowError(const CString& text) override { errors.push_back(text.GetString()); }
    bool AskYesNo(const CString& text) override {
        questions.push_back(text.GetString());
        return answerYes;
    }

    CTime now = CTime(1315832722);  // 2011-09-12 13:05:22 UTC
    bool answerYes = true;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
};

// Scripted directories as well; the output file stays real. Directories use "\\" as separator,
// so the same expectations hold on every platform.
class ScriptedHost : public TestHost {
public:
    // The entries of directory, in the order the enumeration is to give them. "." and ".." are
    // added in front, as file systems do.
    void Script(const std::string& directory, std::vector<ScriptedEntry> entries);
    // A directory that exists but cannot be read.
    void Unreadable(const std::string& directory);

    CFileSystem::PathKind QueryPath(const CString& path) override;
    char Separator() override { return '\\'; }
    CDirectoryEnumerator& Enumerator() override { return m_enumerator; }

    std::vector<std::string> opened;  // every directory the walk asked for, in order

private:
    class ScriptEnumerator : public CDirectoryEnumerator {
    public:
        explicit ScriptEnumerator(ScriptedHost& host) : m_host(host) {}
        bool Open(const CString& directory, bool wantLength, bool wantTime) override;
        bool Next(CDirectoryEntry& entry) override;
        void Close() override;
        void Finish() override {}

    private:
        ScriptedHost& m_host;
        const std::vector<ScriptedEntry>* m_entries = nullptr;
        size_t m_next = 0;
        bool m_open = false;
    };

    std::map<std::string, std::vector<ScriptedEntry>> m_tree;
    std::vector<std::string> m_unreadable;
    ScriptEnumerator m_enumerator{*this};
    friend class ScriptEnumerator;

public:
    int openEnumerations = 0;  // never above one
    int mostOpenEnumerations = 0;
};
