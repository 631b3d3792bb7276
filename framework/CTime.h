#pragma once

#include <cstddef>
#include <cstdint>

// A point in time: seconds since 1970-01-01 00:00:00 UTC, negative before it.
class CTime {
public:
    CTime() = default;
    explicit CTime(int64_t seconds) : m_seconds(seconds) {}

    static CTime Now();
    int64_t GetTime() const { return m_seconds; }

    // The local calendar date and time of this instant, by the machine's time zone.
    // False when the platform cannot convert it.
    struct LocalTime {
        int year, month, day, hour, minute, second;
    };
    bool ToLocal(LocalTime& local) const;

    // "%x" of the classic locale: MM/DD/YY. Writes 8 characters and returns 8, or returns 0 when
    // the instant has no local date on this platform.
    size_t FormatDate(char* out) const;
    // "%x %X": MM/DD/YY HH:MM:SS, 17 characters, or 0.
    size_t FormatDateTime(char* out) const;
    // MM/DD/YY of a calendar date; writes and returns 8.
    static size_t FormatCalendarDate(int64_t year, int month, int day, char* out);

    // An instant given in the Windows way: 100-nanosecond ticks since 1601-01-01 UTC, rounded
    // down to the second.
    static CTime FromFileTicks(int64_t ticks);

    friend bool operator==(CTime a, CTime b) { return a.m_seconds == b.m_seconds; }

private:
    int64_t m_seconds = 0;
};
