#include "../CTime.h"

#include <ctime>

CTime CTime::Now() {
    return CTime(static_cast<int64_t>(std::time(nullptr)));
}

bool CTime::ToLocal(LocalTime& local) const {
    time_t seconds = static_cast<time_t>(m_seconds);
    if (static_cast<int64_t>(seconds) != m_seconds)
        return false;
    struct tm t;
    if (!localtime_r(&seconds, &t))
        return false;
    local = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
    return true;
}
