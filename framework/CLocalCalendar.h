#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "CTime.h"

// Local dates of many instants, fast. The platform's conversion is slow (a time-zone lookup per
// call), while the offset from UTC changes only a few times a year: so the calendar remembers
// stretches of time with one offset, found with a handful of conversions each, and dates every
// instant inside them with integer arithmetic. The dates are exactly the platform's, daylight-
// saving changes included, as long as a zone never changes its offset and back within a week.
class CLocalCalendar {
public:
    // "%x" of the classic locale: MM/DD/YY, 8 characters; 0 when the instant has no local date.
    size_t FormatDate(CTime time, char* out);

private:
    struct Span {
        int64_t first, last;  // both included
        int64_t offset;       // local time minus UTC, in seconds
    };

    const Span* Find(int64_t seconds) const;
    const Span* Learn(int64_t seconds);
    int64_t Edge(int64_t from, int64_t offset, int64_t direction) const;

    std::vector<Span> m_spans;      // sorted by first
    size_t m_recent = 0;            // the span used last: neighbours in a folder share it
    int64_t m_lastDay = INT64_MIN;  // the local day formatted last, and its text
    char m_lastText[8] = {};
};
