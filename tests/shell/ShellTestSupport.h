#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CMainApp.h"
#include "CSystemServices.h"

// The test program's own profile, HKEY_CURRENT_USER\Software\Nembrant\shell_tests (the
// application key is named after the executable), emptied when made and when destroyed.
class TestProfile {
public:
    TestProfile();
    ~TestProfile();
    TestProfile(const TestProfile&) = delete;
    TestProfile& operator=(const TestProfile&) = delete;

    struct Value {
        bool present = false;
        DWORD type = REG_NONE;
        std::string data;  // the stored bytes, a string's terminator included
    };

    static std::string KeyPath(const std::string& section = "");
    bool SectionExists(const std::string& section) const;
    size_t ValueCount(const std::string& section) const;
    Value Get(const std::string& section, const std::string& name) const;
    DWORD GetDword(const std::string& section, const std::string& name) const;
    // Stores the bytes as they are, of any type.
    void Put(const std::string& section, const std::string& name, DWORD type,
             const std::string& data) const;
    void PutDword(const std::string& section, const std::string& name, DWORD value) const;
    void PutString(const std::string& section, const std::string& name,
                   const std::string& text) const;

    static void Delete();
};

// Records what the program starts, and answers with a set clock and version.
class TestServices : public CSystemServices {
public:
    bool LaunchProcess(const char* commandLine) override;
    bool OpenWebPage(const char* address) override;
    void StartHelpViewer(const char* commandLine) override;
    int64_t Now() override { return now; }
    bool GetWindowsVersion(OSVERSIONINFOA& info) override;

    std::vector<std::string> launches;
    std::vector<std::string> pages;
    std::vector<std::string> helpCommands;
    bool launchSucceeds = true;
    bool pageOpens = true;
    bool versionKnown = true;
    DWORD majorVersion = 6;
    int64_t now = 1700000000;  // 2023-11-14 22:13:20 UTC
};

// The documents folder as the system gives it, without a trailing backslash.
std::string DocumentsFolder();
// The directory of the test program, with its trailing backslash.
std::string ProgramDirectory();
