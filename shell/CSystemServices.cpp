#include "CSystemServices.h"

#include <shellapi.h>

#include <vector>

#include "CTime.h"

bool CSystemServices::LaunchProcess(const char* commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // The system may write into the command line, so it gets a copy of its own.
    std::vector<char> writable(commandLine, commandLine + strlen(commandLine) + 1);
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

bool CSystemServices::OpenWebPage(const char* address) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void CSystemServices::StartHelpViewer(const char* commandLine) {
    WinExec(commandLine, SW_SHOW);
}

int64_t CSystemServices::Now() {
    return CTime::Now().GetTime();
}

bool CSystemServices::GetWindowsVersion(OSVERSIONINFOA& info) {
    return GetVersionExA(&info) != 0;
}
