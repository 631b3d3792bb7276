#pragma once

#include <cstdint>

#include "CSystemServices.h"
#include "CWinApp.h"

// Asks, at most once in 180 days, whether the user wants to look for a newer version. The
// time of the last answer (or of the first exit) is kept in the profile.
class CUpdateReminder {
public:
    static const int64_t kInterval = 15552000;  // 180 days of 86400 seconds

    CUpdateReminder(CWinApp& app, CSystemServices& services);

    // Run once when the program ends; pageAddress is opened when the user agrees.
    void PromptForUpdateCheck(const char* pageAddress);

    // The stamp as stored: the low 32 bits of the time, read back without sign.
    static DWORD ToStamp(int64_t time) { return static_cast<DWORD>(time); }
    static int64_t FromStamp(UINT stamp) { return static_cast<int64_t>(stamp); }

private:
    void WriteStamp(int64_t now);
    void OpenPage(const char* pageAddress);

    CWinApp& m_app;
    CSystemServices& m_services;
};
