#include "CLocalCalendar.h"

#include <algorithm>
#include <cstring>

namespace {

const int64_t kDay = 86400;
// Offsets are probed a week apart, then the change is found by halving.
const int64_t kProbeStep = 7 * kDay;
// How far one span reaches at most from the instant that made it.
const int64_t kReach = 400 * kDay;

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

// The platform's offset from UTC at an instant; false when it cannot convert the instant.
bool OffsetAt(int64_t seconds, int64_t& offset) {
    CTime::LocalTime t;
    if (!CTime(seconds).ToLocal(t))
        return false;
    int64_t local =
        DaysFromCivil(t.year, t.month, t.day) * kDay + t.hour * 3600 + t.minute * 60 + t.second;
    offset = local - seconds;
    return true;
}

bool SameOffset(int64_t seconds, int64_t offset) {
    int64_t other;
    return OffsetAt(seconds, other) && other == offset;
}

}  // namespace

size_t CLocalCalendar::FormatDate(CTime time, char* out) {
    const int64_t seconds = time.GetTime();
    const Span* span = Find(seconds);
    if (!span && !(span = Learn(seconds)))
        return 0;
    int64_t local = seconds + span->offset;
    int64_t days = local / kDay - (local % kDay < 0);
    if (days != m_lastDay) {
        int64_t year;
        int month, day;
        CivilFromDays(days, year, month, day);
        CTime::FormatCalendarDate(year, month, day, m_lastText);
        m_lastDay = days;
    }
    std::memcpy(out, m_lastText, sizeof m_lastText);
    return sizeof m_lastText;
}

const CLocalCalendar::Span* CLocalCalendar::Find(int64_t seconds) const {
    if (m_recent < m_spans.size() && m_spans[m_recent].first <= seconds &&
        seconds <= m_spans[m_recent].last)
        return &m_spans[m_recent];
    auto after = std::upper_bound(m_spans.begin(), m_spans.end(), seconds,
                                  [](int64_t s, const Span& span) { return s < span.first; });
    if (after == m_spans.begin() || (after - 1)->last < seconds)
        return nullptr;
    const_cast<CLocalCalendar*>(this)->m_recent = static_cast<size_t>(after - 1 - m_spans.begin());
    return &*(after - 1);
}

// Finds the stretch of time around an instant that has the instant's offset, and keeps it.
const CLocalCalendar::Span* CLocalCalendar::Learn(int64_t seconds) {
    int64_t offset;
    if (!OffsetAt(seconds, offset))
        return nullptr;
    Span span{Edge(seconds, offset, -1), Edge(seconds, offset, +1), offset};
    auto at = std::upper_bound(m_spans.begin(), m_spans.end(), span.first,
                               [](int64_t s, const Span& other) { return s < other.first; });
    auto inserted = m_spans.insert(at, span);
    m_recent = static_cast<size_t>(inserted - m_spans.begin());
    return &*inserted;
}

// The farthest instant in a direction, within reach, up to which the offset stays the same.
int64_t CLocalCalendar::Edge(int64_t from, int64_t offset, int64_t direction) const {
    int64_t good = from, bad = from;
    bool changed = false;
    for (int64_t travelled = kProbeStep; travelled <= kReach; travelled += kProbeStep) {
        int64_t probe = from + direction * travelled;
        if (!SameOffset(probe, offset)) {
            bad = probe;
            changed = true;
            break;
        }
        good = probe;
    }
    if (!changed)
        return good;
    while ((bad - good) * direction > 1) {
        int64_t middle = good + (bad - good) / 2;
        if (SameOffset(middle, offset))
            good = middle;
        else
            bad = middle;
    }
    return good;
}
