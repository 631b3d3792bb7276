#include "CTime.h"

namespace {

char* PutTwoDigits(char* out, int64_t value) {
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

const int64_t kFileTicksAt1970 = 116444736000000000LL;
const int64_t kFileTicksPerSecond = 10000000LL;

}  // namespace

size_t CTime::FormatCalendarDate(int64_t year, int month, int day, char* out) {
    char* p = PutTwoDigits(out, month);
    *p++ = '/';
    p = PutTwoDigits(p, day);
    *p++ = '/';
    int64_t yy = year % 100;
    PutTwoDigits(p, yy < 0 ? yy + 100 : yy);
    return 8;
}

CTime CTime::FromFileTicks(int64_t ticks) {
    int64_t delta = ticks - kFileTicksAt1970;
    int64_t seconds = delta / kFileTicksPerSecond;
    return CTime(seconds - (delta % kFileTicksPerSecond < 0));
}

size_t CTime::FormatDate(char* out) const {
    LocalTime local;
    if (!ToLocal(local))
        return 0;
    return FormatCalendarDate(local.year, local.month, local.day, out);
}

size_t CTime::FormatDateTime(char* out) const {
    LocalTime local;
    if (!ToLocal(local))
        return 0;
    char* p = out + FormatCalendarDate(local.year, local.month, local.day, out);
    *p++ = ' ';
    p = PutTwoDigits(p, local.hour);
    *p++ = ':';
    p = PutTwoDigits(p, local.minute);
    *p++ = ':';
    p = PutTwoDigits(p, local.second);
    return p - out;
}
