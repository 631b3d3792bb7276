#include "CTime.h"

namespace {

char* PutTwoDigits(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

char* PutDate(char* out, const CTime::LocalTime& t) {
    out = PutTwoDigits(out, t.month);
    *out++ = '/';
    out = PutTwoDigits(out, t.day);
    *out++ = '/';
    int year = t.year % 100;
    return PutTwoDigits(out, year < 0 ? year + 100 : year);
}

}  // namespace

size_t CTime::FormatDate(char* out) const {
    LocalTime local;
    if (!ToLocal(local))
        return 0;
    return PutDate(out, local) - out;
}

size_t CTime::FormatDateTime(char* out) const {
    LocalTime local;
    if (!ToLocal(local))
        return 0;
    char* p = PutDate(out, local);
    *p++ = ' ';
    p = PutTwoDigits(p, local.hour);
    *p++ = ':';
    p = PutTwoDigits(p, local.minute);
    *p++ = ':';
    p = PutTwoDigits(p, local.second);
    return p - out;
}
