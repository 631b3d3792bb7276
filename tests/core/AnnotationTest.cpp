#include <gtest/gtest.h>

#include "CDirectoryReport.h"
#include "ScriptedHost.h"

namespace {

TEST(Annotation, SizeText) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {123456, "123,456"},
        {1234567, "1,234,567"},
        {2147483648ULL, "2,147,483,648"},
        {4294967296ULL, "4,294,967,296"},
        {999999999999ULL, "999,999,999,999"},
        {1000000000000ULL, "1000,000,000,000"},
        {18446744073709551615ULL, "18446744073,709,551,615"},
    };
    for (const auto& [length, text] : cases)
        EXPECT_EQ(CDirectoryReport::FormatSizeText(length), CString(text)) << length;
}

TEST(Annotation, FileAnnotationBySwitches) {
    struct {
        int size, time;
        const char* line;
    } cases[] = {
        {1, 1, "report.doc   ( 1,234,567 B, 09/15/11 )"},
        {1, 0, "report.doc   ( 1,234,567 B, )"},
        {0, 1, "report.doc   ( 09/15/11 )"},
        {0, 0, "report.doc"},
        {2, 1, "report.doc   ( 09/15/11 )"},
        {1, -1, "report.doc   ( 1,234,567 B, )"},
    };
    for (const auto& c : cases) {
        CString line = "report.doc";
        CDirectoryReport::AppendFileAnnotation(line, "1,234,567", "09/15/11", c.size, c.time);
        EXPECT_EQ(line, CString(c.line)) << c.size << "," << c.time;
    }
}

TEST(Annotation, DirectoryAnnotationHasOnlyTheDate) {
    CString on = "Photos", off = "Photos";
    CDirectoryReport::AppendDirectoryAnnotation(on, "09/15/11", 1);
    CDirectoryReport::AppendDirectoryAnnotation(off, "09/15/11", 0);
    EXPECT_EQ(on, CString("Photos   ( 09/15/11 )"));
    EXPECT_EQ(off, CString("Photos"));
}

TEST(Annotation, EmptyDateKeepsItsFrame) {
    CString both = "f", date = "f";
    CDirectoryReport::AppendFileAnnotation(both, "0", "", 1, 1);
    CDirectoryReport::AppendFileAnnotation(date, "", "", 0, 1);
    EXPECT_EQ(both, CString("f   ( 0 B,  )"));
    EXPECT_EQ(date, CString("f   (  )"));
}

// The tests run with TZ=UTC: dates are those of UTC, far outside 1970 to 2038 too.
TEST(Annotation, DateTextIsMonthDayYear) {
    const std::pair<CTime, const char*> cases[] = {
        {Noon(2011, 9, 15), "09/15/11"},  {Noon(2000, 1, 1), "01/01/00"},
        {CTime(0), "01/01/70"},           {CTime(-1), "12/31/69"},
        {Noon(1969, 7, 20), "07/20/69"},  {Noon(1920, 2, 29), "02/29/20"},
        {Noon(2038, 1, 20), "01/20/38"},  {Noon(2106, 2, 8), "02/08/06"},
        {Noon(3001, 12, 31), "12/31/01"},
    };
    for (const auto& [time, text] : cases)
        EXPECT_EQ(CDirectoryReport::FormatDateText(time), CString(text)) << time.GetTime();
}

TEST(Annotation, TimeWithoutCalendarGivesEmptyText) {
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(INT64_MIN)), CString(""));
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(INT64_MAX)), CString(""));
}

TEST(Annotation, EnsureTrailingBackslash) {
    EXPECT_EQ(CDirectoryReport::EnsureTrailingBackslash("C:\\Data", '\\'), CString("C:\\Data\\"));
    EXPECT_EQ(CDirectoryReport::EnsureTrailingBackslash("C:\\", '\\'), CString("C:\\"));
    EXPECT_EQ(CDirectoryReport::EnsureTrailingBackslash("", '\\'), CString("\\"));
    EXPECT_EQ(CDirectoryReport::EnsureTrailingBackslash("/tmp/x", '/'), CString("/tmp/x/"));
    EXPECT_EQ(CDirectoryReport::EnsureTrailingBackslash("/", '/'), CString("/"));
}

}  // namespace
