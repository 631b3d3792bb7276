#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "CFileFind.h"
#include "TestSupport.h"

// Listings of real trees, read by the platform's own enumeration. The file system chooses the
// order of entries, so trees whose order matters hold at most one file and one subdirectory per
// directory; elsewhere lines are compared as sets.

namespace {

const char kSep = CFileSystem::kSeparator;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
        lines.push_back(text.substr(pos, end - pos));
    return lines;
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

const int64_t k2011_09_15 = 1316088000;  // noon UTC
const int64_t k2011_08_01 = 1312200000;
const int64_t k2012_02_29 = 1330516800;

// root: big.bin (5 GiB, sparse) and sub/; sub: note.txt (1234 bytes) and empty/.
void BuildChain(TreeFixture& tree) {
    tree.File("sub/note.txt", 1234).Dir("sub/empty").File("big.bin", 5368709120ULL);
    tree.Time("sub/note.txt", k2011_08_01).Time("sub/empty", k2012_02_29);
    tree.Time("big.bin", k2011_09_15).Time("sub", k2011_08_01);
}

struct ChainCase {
    ReportStyle style;
    int size, time;
    std::vector<std::string> body;  // "@" stands for the root path, "^" for the separator
};

const ChainCase kChain[] = {
    {1, 0, 0, {"|   big.bin", "|   ", "|___sub", "    |   note.txt", "    |   ", "    |___empty"}},
    {1,
     1,
     1,
     {"|   big.bin   ( 5,368,709,120 B, 09/15/11 )", "|   ", "|___sub   ( 08/01/11 )",
      "    |   note.txt   ( 1,234 B, 08/01/11 )", "    |   ", "    |___empty   ( 02/29/12 )"}},
    {1,
     1,
     0,
     {"|   big.bin   ( 5,368,709,120 B, )", "|   ", "|___sub", "    |   note.txt   ( 1,234 B, )",
      "    |   ", "    |___empty"}},
    {1,
     0,
     1,
     {"|   big.bin   ( 09/15/11 )", "|   ", "|___sub   ( 08/01/11 )",
      "    |   note.txt   ( 08/01/11 )", "    |   ", "    |___empty   ( 02/29/12 )"}},
    {0, 0, 0, {"    big.bin", "    ", "@sub^", "    note.txt", "    ", "@sub^empty^"}},
    {0,
     1,
     1,
     {"    big.bin   ( 5,368,709,120 B, 09/15/11 )", "    ", "@sub^   ( 08/01/11 )",
      "    note.txt   ( 1,234 B, 08/01/11 )", "    ", "@sub^empty^   ( 02/29/12 )"}},
    {0,
     1,
     0,
     {"    big.bin   ( 5,368,709,120 B, )", "    ", "@sub^", "    note.txt   ( 1,234 B, )", "    ",
      "@sub^empty^"}},
    {0,
     0,
     1,
     {"    big.bin   ( 09/15/11 )", "    ", "@sub^   ( 08/01/11 )", "    note.txt   ( 08/01/11 )",
      "    ", "@sub^empty^   ( 02/29/12 )"}},
};

std::string Expand(std::string line, const std::string& root) {
    if (line.empty() || line[0] != '@')
        return line;
    std::replace(line.begin(), line.end(), '^', kSep);
    return root + line.substr(1);
}

TEST(RealListing, EveryViewAndSwitchCombination) {
    TreeFixture tree;
    BuildChain(tree);
    TestHost host;
    for (const ChainCase& c : kChain) {
        JobRunner job(host);
        std::string listing = job.Run(tree.Root(), c.style, c.size, c.time);
        std::vector<std::string> expected;
        for (const std::string& line : c.body) expected.push_back(Expand(line, tree.Root()));
        EXPECT_EQ(Body(listing), CrLf(expected))
            << "style " << c.style << " size " << c.size << " time " << c.time;
        EXPECT_EQ(SplitLines(listing)[5], tree.Root());
    }
}

TEST(RealListing, AwkwardNamesAreWrittenAsTheyAre) {
    TreeFixture tree;
    const std::vector<std::string> names = {"with space.txt", "100%.txt", "%s%n%x", "a%%b",
                                            " lead",          "x.y.z",    "noext"};
    for (const std::string& name : names) tree.File("names/" + name, 7);
    tree.Dir("names/empty dir").Dir("names/%d");
    TestHost host;
    JobRunner job(host);
    std::vector<std::string> lines = SplitLines(Body(job.Run(tree.Root() + "names", 0, 1)));
    std::vector<std::string> expected = {"    ", "    "};
    for (const std::string& name : names) expected.push_back("    " + name + "   ( 7 B, )");
    expected.push_back(tree.Root() + "names" + kSep + "empty dir" + kSep);
    expected.push_back(tree.Root() + "names" + kSep + "%d" + kSep);
    EXPECT_EQ(Sorted(lines), Sorted(expected));
}

// A directory removed after its parent was read is listed as empty; the walk goes on.
TEST(RealListing, DirectoryThatVanishesDuringTheWalk) {
    TreeFixture tree;
    tree.File("gone/inside.txt").File("kept/inside.txt");

    class VanishingHost : public TestHost {
    public:
        explicit VanishingHost(std::string victim) : m_finder(std::move(victim)) {}
        CDirectoryEnumerator& Enumerator() override { return m_finder; }

    private:
        class Finder : public CFileFind {
        public:
            explicit Finder(std::string victim) : m_victim(std::move(victim)) {}
            bool Next(CDirectoryEntry& entry) override {
                m_read = true;
                return CFileFind::Next(entry);
            }
            void Close() override {
                CFileFind::Close();
                if (m_read)
                    std::filesystem::remove_all(m_victim);
            }

        private:
            std::string m_victim;
            bool m_read = false;
        } m_finder;
    } host(tree.Path("gone"));

    JobRunner job(host);
    std::vector<std::string> lines = SplitLines(Body(job.Run(tree.Root(), 0)));
    EXPECT_EQ(Sorted(lines), Sorted({"    ", "    ", tree.Path("gone") + kSep,
                                     tree.Path("kept") + kSep, "    inside.txt"}));
}

}  // namespace
