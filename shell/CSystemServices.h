#pragma once

#include <windows.h>

#include <cstdint>

// What the program asks of the system outside its own windows: starting the editor, the help
// viewer and the browser, the clock and the Windows version. The program uses this class as it
// is; the tests derive from it to record the starts and to set the clock.
class CSystemServices {
public:
    virtual ~CSystemServices() = default;

    // Starts the program of the command line, searched for as the system does, in the current
    // directory and environment; does not wait for it. False when it did not start.
    virtual bool LaunchProcess(const char* commandLine);
    // Opens the address in the user's default browser; false when that failed.
    virtual bool OpenWebPage(const char* address);
    // Starts the help viewer; whether it started is not looked at.
    virtual void StartHelpViewer(const char* commandLine);
    // Seconds since 1970-01-01 00:00:00 UTC.
    virtual int64_t Now();
    // Fills info, whose size field is set; false on failure.
    virtual bool GetWindowsVersion(OSVERSIONINFOA& info);
};
