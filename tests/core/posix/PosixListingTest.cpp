#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "CLocalCalendar.h"
#include "FileTimes.h"
#include "TestSupport.h"

// What only a POSIX file system shows: links, names that are not text, trees deeper than any
// path may be long, permissions, and devices as output.

namespace {

std::vector<std::string> SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
        lines.push_back(text.substr(pos, end - pos));
    std::sort(lines.begin(), lines.end());
    return lines;
}

void SetLinkTime(const std::string& path, time_t seconds) {
    ASSERT_TRUE(SetLastWriteTime(path, seconds)) << path;
}

// Builds a chain of directories named "d", depth levels below root, each also holding an empty
// directory "z" when withSiblings. Made relative to descriptors, since its paths exceed PATH_MAX.
void BuildChain(const std::string& root, int depth, bool withSiblings) {
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < depth; level++) {
        ASSERT_EQ(mkdirat(fd, "d", 0755), 0);
        if (withSiblings) {
            ASSERT_EQ(mkdirat(fd, "z", 0755), 0);
        }
        int child = openat(fd, "d", O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = child;
    }
    close(fd);
}

class RaisedLimit {
public:
    explicit RaisedLimit(rlim_t soft) {
        getrlimit(RLIMIT_NOFILE, &m_saved);
        struct rlimit lowered = m_saved;
        lowered.rlim_cur = soft;
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~RaisedLimit() { setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    struct rlimit m_saved;
};

TEST(PosixListing, LinksAreListedButNeverEntered) {
    TreeFixture tree;
    tree.File("target/t.txt").Time("target/t.txt", 1316088000).Time("target", 1316088000);
    ASSERT_EQ(symlink("target", tree.Path("dirlink").c_str()), 0);
    ASSERT_EQ(symlink("target/t.txt", tree.Path("filelink").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", tree.Path("dangling").c_str()), 0);
    ASSERT_EQ(symlink(".", tree.Path("loop").c_str()), 0);
    SetLinkTime(tree.Path("dirlink"), 946728000);    // 01/01/00
    SetLinkTime(tree.Path("filelink"), 978350400);   // 01/01/01
    SetLinkTime(tree.Path("dangling"), 1009886400);  // 01/01/02
    SetLinkTime(tree.Path("loop"), 1041422400);      // 01/01/03
    TestHost host;
    JobRunner job(host);
    std::string root = tree.Root();
    EXPECT_EQ(SortedLines(Body(job.Run(root, 0, 1, 1))),
              SortedLines(CrLf(
                  {"    dangling   ( 7 B, 01/01/02 )", "    filelink   ( 12 B, 01/01/01 )", "    ",
                   root + "target/   ( 09/15/11 )", "    t.txt   ( 0 B, 09/15/11 )", "    ",
                   root + "dirlink/   ( 01/01/00 )", "    ", root + "loop/   ( 01/01/03 )"})));
}

TEST(PosixListing, NamesAreWrittenByteForByte) {
    TreeFixture tree;
    const std::vector<std::string> names = {"\xc3\xbcml\xc3\xa4ut",
                                            "\xe4\xb8\xad\xe6\x96\x87",
                                            "\xff\xfe invalid",
                                            ".hidden",
                                            "..dots",
                                            "tab\there",
                                            "trail "};
    for (const std::string& name : names) tree.File(name);
    tree.Dir(".hidden dir");
    TestHost host;
    JobRunner job(host);
    std::vector<std::string> expected = {"|   ", "|___.hidden dir"};
    for (const std::string& name : names) expected.push_back("|   " + name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SortedLines(Body(job.Run(tree.Root(), 1))), expected);
}

TEST(PosixListing, SparseFileOfATerabyte) {
    TreeFixture tree;
    tree.File("huge.img", 1000000000000ULL);
    TestHost host;
    JobRunner job(host);
    EXPECT_EQ(Body(job.Run(tree.Root(), 1, 1)), CrLf({"    huge.img   ( 1000,000,000,000 B, )"}));
}

// Dates outside what a 32-bit calendar time holds show their true date and never stop the walk.
TEST(PosixListing, DatesFarFromNow) {
    TreeFixture tree;
    tree.File("a/f").Time("a/f", -1000000000).Time("a", -1);
    tree.File("b/f").Time("b/f", 4102444800).Time("b", 13569422400);
    TestHost host;
    JobRunner job(host);
    std::string root = tree.Root();
    EXPECT_EQ(SortedLines(Body(job.Run(root, 0, 0, 1))),
              SortedLines(CrLf({"    ", root + "a/   ( 12/31/69 )", "    f   ( 04/24/38 )", "    ",
                                root + "b/   ( 12/31/99 )", "    f   ( 01/01/00 )"})));
}

class ZoneTest : public ::testing::Test {
protected:
    void Use(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    void TearDown() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

TEST_F(ZoneTest, LocalDateFollowsTheZoneAndItsSummerTime) {
    Use("<+02>-2");
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(1316129400)), CString("09/16/11"));
    Use("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(1309559400)), CString("07/02/11"));  // 22:30Z
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(1309555800)), CString("07/01/11"));  // 21:30Z
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(1293924600)), CString("01/02/11"));  // 23:30Z
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(1293921000)), CString("01/01/11"));  // 22:30Z
    Use("<-05>5");
    EXPECT_EQ(CDirectoryReport::FormatDateText(CTime(0)), CString("12/31/69"));
}

TEST(PosixListing, TreeFarDeeperThanPathMax) {
    TreeFixture tree;
    const int depth = 5000;
    BuildChain(tree.Root(), depth, false);
    TestHost host;
    JobRunner job(host);
    std::string body = Body(job.Run(tree.Root(), 0));
    std::string deepest = tree.Root();
    for (int level = 0; level < depth; level++) deepest += "d/";
    ASSERT_GT(deepest.size(), 4096u * 2);
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 2 * depth);
    EXPECT_EQ(body.substr(body.size() - deepest.size() - 2), deepest + "\r\n");
}

// With few descriptors to spare, directories on the way down are let go and found again on the
// way back up; the listing is the same as with plenty.
TEST(PosixListing, FewDescriptorsGiveTheSameListing) {
    TreeFixture tree;
    BuildChain(tree.Root(), 300, true);
    TestHost plenty;
    JobRunner first(plenty);
    std::string expected = first.Run(tree.Root(), 1);
    RaisedLimit limit(64);
    TestHost scarce;
    JobRunner second(scarce);
    std::string listing = second.Run(tree.Root(), 1);
    EXPECT_EQ(Body(listing), Body(expected));
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 6 + 4 * 300);
}

TEST(PosixListing, FailedWriteIsNotSuccess) {
    TreeFixture tree;
    tree.File("f");
    TestHost host;
    host.answerYes = false;
    CDirectoryReport job(host);
    job.m_strOutputFile = "/dev/full";
    EXPECT_FALSE(job.Run(tree.Root().c_str(), 1));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(host.errors, std::vector<std::string>{"/dev/full can not be written!"});
}

TEST(PosixListing, FifoWithoutReaderIsRefusedAtOnce) {
    TreeFixture tree;
    ASSERT_EQ(mkfifo(tree.Path("fifo").c_str(), 0666), 0);
    TestHost host;
    CDirectoryReport job(host);
    job.m_strOutputFile = tree.Path("fifo").c_str();
    EXPECT_FALSE(job.Run(tree.Root().c_str(), 1));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(host.errors, std::vector<std::string>{tree.Path("fifo") + " can not be opened!"});
}

// Permissions mean nothing to root; ctest runs these once more without privileges.
class Unprivileged : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() == 0)
            GTEST_SKIP() << "root reads and writes everything; see core_tests_unprivileged";
    }
    TreeFixture tree;
    TestHost host;
};

TEST_F(Unprivileged, UnreadableDirectoryIsListedEmpty) {
    tree.File("locked/secret.txt").File("open/visible.txt");
    chmod(tree.Path("locked").c_str(), 0);
    JobRunner job(host);
    std::string root = tree.Root();
    EXPECT_EQ(
        SortedLines(Body(job.Run(root, 0))),
        SortedLines(CrLf({"    ", root + "locked/", "    ", root + "open/", "    visible.txt"})));
    chmod(tree.Path("locked").c_str(), 0755);
}

TEST_F(Unprivileged, ReadOnlyOutputIsLeftAlone) {
    JobRunner job(host);
    job.scratch.Text("listing.txt", "old");
    chmod(job.output.c_str(), 0444);
    host.answerYes = false;
    job.Run(tree.Root(), 1);
    EXPECT_FALSE(job.lastResult);
    EXPECT_EQ(host.errors, std::vector<std::string>{job.output + " can not be opened!"});
    EXPECT_EQ(ReadFile(job.output), "old");
}

TEST_F(Unprivileged, OutputInReadOnlyFolder) {
    tree.Dir("ro");
    chmod(tree.Path("ro").c_str(), 0555);
    JobRunner job(host);
    job.output = tree.Path("ro/out.txt");
    job.Run(tree.Root(), 1);
    EXPECT_FALSE(job.lastResult);
    EXPECT_EQ(host.errors, std::vector<std::string>{job.output + " can not be opened!"});
    chmod(tree.Path("ro").c_str(), 0755);
}

}  // namespace

namespace {

// The fast local calendar of the walk, in zones with summer time north and south, a zone that
// changes at midnight, and one with an offset of minutes.
class CalendarZones : public ZoneTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CalendarZones, AgreeWithLocaltime) {
    Use(GetParam());
    CLocalCalendar calendar;
    char fast[16], slow[16];
    for (int64_t t = -1000000000; t < 5000000000; t += 86400 * 3 + 3607) {
        for (int64_t near : {t, t + 1800, t + 7200}) {
            std::string a(fast, calendar.FormatDate(CTime(near), fast));
            std::string b(slow, CTime(near).FormatDate(slow));
            ASSERT_EQ(a, b) << GetParam() << " " << near;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Zones, CalendarZones,
                         ::testing::Values("Europe/Berlin", "America/Sao_Paulo", "Asia/Kathmandu",
                                           "Australia/Lord_Howe", "America/Havana",
                                           "CET-1CEST,M3.5.0,M10.5.0/3"));

}  // namespace
