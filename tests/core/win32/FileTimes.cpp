#include "FileTimes.h"

#include <windows.h>

bool SetLastWriteTime(const std::string& path, int64_t seconds) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    int64_t ticks = seconds * 10000000LL + 116444736000000000LL;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    time.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    bool set = SetFileTime(file, nullptr, nullptr, &time) != 0;
    CloseHandle(file);
    return set;
}
