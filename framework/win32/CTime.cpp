#include "../CTime.h"

#include <windows.h>

namespace {

// FILETIME counts 100-nanosecond steps since 1601-01-01 UTC.
const int64_t kFileTimeAt1970 = 116444736000000000LL;
const int64_t kTicksPerSecond = 10000000LL;

}  // namespace

CTime CTime::Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FromFileTicks((static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

// The time zone's rules for the instant's own year decide the offset, so a date before 1970 or
// after 3000 has its true local date as long as Windows can express it (years 1601 to 30827).
bool CTime::ToLocal(LocalTime& local) const {
    const int64_t maxSeconds = (INT64_MAX - kFileTimeAt1970) / kTicksPerSecond;
    const int64_t minSeconds = -kFileTimeAt1970 / kTicksPerSecond;
    if (m_seconds > maxSeconds || m_seconds < minSeconds)
        return false;
    int64_t ticks = m_seconds * kTicksPerSecond + kFileTimeAt1970;
    FILETIME utc;
    utc.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    utc.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    SYSTEMTIME universal, t;
    if (!FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &t))
        return false;
    local = {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
    return true;
}
