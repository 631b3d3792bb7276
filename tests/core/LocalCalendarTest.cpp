#include <gtest/gtest.h>

#include <random>

#include "CLocalCalendar.h"

namespace {

std::string Reference(int64_t seconds) {
    char text[16];
    return std::string(text, CTime(seconds).FormatDate(text));
}

std::string Fast(CLocalCalendar& calendar, int64_t seconds) {
    char text[16];
    return std::string(text, calendar.FormatDate(CTime(seconds), text));
}

// Every instant gets the date the platform's own conversion gives, in whatever order the
// instants come: hour by hour over years with summer time, near each change to the second, and
// at random from 1900 to 2400.
TEST(LocalCalendar, AgreesWithThePlatformConversion) {
    CLocalCalendar calendar;
    for (int64_t t = 1262304000; t < 1262304000 + 3 * 366 * 86400LL; t += 3599)
        ASSERT_EQ(Fast(calendar, t), Reference(t)) << t;
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int64_t> anytime(-2208988800LL, 13569465600LL);
    for (int i = 0; i < 20000; i++) {
        int64_t t = anytime(random);
        ASSERT_EQ(Fast(calendar, t), Reference(t)) << t;
        for (int64_t near : {t - 1, t + 1, t - 3600, t + 3600, t + 86399})
            ASSERT_EQ(Fast(calendar, near), Reference(near)) << near;
    }
}

TEST(LocalCalendar, InstantWithoutCalendarHasNoDate) {
    CLocalCalendar calendar;
    EXPECT_EQ(Fast(calendar, INT64_MIN), "");
    EXPECT_EQ(Fast(calendar, INT64_MAX), "");
    EXPECT_EQ(Fast(calendar, 0), Reference(0));
}

}  // namespace
