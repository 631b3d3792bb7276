#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

struct WalkCase {
    const char* name;
    ReportStyle style;
    int size, time;
    std::vector<std::string> body;
};

// The trees of the two worked examples, each in both views and all four switch combinations.
const WalkCase kTreeExample[] = {
    {"TreeNoAnnotations",
     1,
     0,
     0,
     {"|   notes.txt", "|   readme.txt", "|   ", "|---Photos", "|   |   a.jpg", "|   |   ",
      "|   |___Old", "|   ", "|___Work", "    |   plan.doc", "    |   ", "    |___Drafts"}},
    {"TreeSizeAndDate",
     1,
     1,
     1,
     {"|   notes.txt   ( 1,234,567 B, 09/15/11 )", "|   readme.txt   ( 80 B, 09/01/11 )", "|   ",
      "|---Photos   ( 08/01/11 )", "|   |   a.jpg   ( 52,340 B, 08/01/11 )", "|   |   ",
      "|   |___Old   ( 08/01/11 )", "|   ", "|___Work   ( 09/10/11 )",
      "    |   plan.doc   ( 9,876 B, 09/10/11 )", "    |   ", "    |___Drafts   ( 09/10/11 )"}},
    {"TreeSizeOnly",
     1,
     1,
     0,
     {"|   notes.txt   ( 1,234,567 B, )", "|   readme.txt   ( 80 B, )", "|   ", "|---Photos",
      "|   |   a.jpg   ( 52,340 B, )", "|   |   ", "|   |___Old", "|   ", "|___Work",
      "    |   plan.doc   ( 9,876 B, )", "    |   ", "    |___Drafts"}},
    {"TreeDateOnly",
     1,
     0,
     1,
     {"|   notes.txt   ( 09/15/11 )", "|   readme.txt   ( 09/01/11 )", "|   ",
      "|---Photos   ( 08/01/11 )", "|   |   a.jpg   ( 08/01/11 )", "|   |   ",
      "|   |___Old   ( 08/01/11 )", "|   ", "|___Work   ( 09/10/11 )",
      "    |   plan.doc   ( 09/10/11 )", "    |   ", "    |___Drafts   ( 09/10/11 )"}},
    // Any style but 0 is the tree; a switch other than exactly 1 is off.
    {"StyleSevenIsTreeAndTwoIsOff",
     7,
     2,
     -1,
     {"|   notes.txt", "|   readme.txt", "|   ", "|---Photos", "|   |   a.jpg", "|   |   ",
      "|   |___Old", "|   ", "|___Work", "    |   plan.doc", "    |   ", "    |___Drafts"}},
};

const WalkCase kListExample[] = {
    {"ListNoAnnotations",
     0,
     0,
     0,
     {"    notes.txt", "    readme.txt", "    ", "C:\\Data\\Archive\\", "    old.log", "    ",
      "C:\\Data\\Archive\\2010\\", "    ", "C:\\Data\\Photos\\"}},
    {"ListSizeAndDate",
     0,
     1,
     1,
     {"    notes.txt   ( 1,234,567 B, 09/15/11 )", "    readme.txt   ( 532 B, 09/12/11 )", "    ",
      "C:\\Data\\Archive\\   ( 09/14/11 )", "    old.log   ( 12 B, 01/05/10 )", "    ",
      "C:\\Data\\Archive\\2010\\   ( 01/05/10 )", "    ", "C:\\Data\\Photos\\   ( 09/15/11 )"}},
    {"ListSizeOnly",
     0,
     1,
     0,
     {"    notes.txt   ( 1,234,567 B, )", "    readme.txt   ( 532 B, )", "    ",
      "C:\\Data\\Archive\\", "    old.log   ( 12 B, )", "    ", "C:\\Data\\Archive\\2010\\", "    ",
      "C:\\Data\\Photos\\"}},
    {"ListDateOnly",
     0,
     0,
     1,
     {"    notes.txt   ( 09/15/11 )", "    readme.txt   ( 09/12/11 )", "    ",
      "C:\\Data\\Archive\\   ( 09/14/11 )", "    old.log   ( 01/05/10 )", "    ",
      "C:\\Data\\Archive\\2010\\   ( 01/05/10 )", "    ", "C:\\Data\\Photos\\   ( 09/15/11 )"}},
};

class TreeExample : public ::testing::TestWithParam<WalkCase> {};
class ListExample : public ::testing::TestWithParam<WalkCase> {};

std::string CaseName(const ::testing::TestParamInfo<WalkCase>& info) {
    return info.param.name;
}

void ExpectExactBody(void (*script)(ScriptedHost&), const WalkCase& c) {
    ScriptedHost host;
    script(host);
    JobRunner job(host);
    EXPECT_EQ(Body(job.Run("C:\\Data", c.style, c.size, c.time)), CrLf(c.body));
    EXPECT_TRUE(job.lastResult);
    EXPECT_EQ(host.mostOpenEnumerations, 1);
}

TEST_P(TreeExample, WritesTheExactBody) {
    ExpectExactBody(ScriptTreeExample, GetParam());
}

TEST_P(ListExample, WritesTheExactBody) {
    ExpectExactBody(ScriptListExample, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Walk, TreeExample, ::testing::ValuesIn(kTreeExample), CaseName);
INSTANTIATE_TEST_SUITE_P(Walk, ListExample, ::testing::ValuesIn(kListExample), CaseName);

// Smaller trees for the edges of the drawing: each is scripted below R:\ and listed both ways.
struct ShapeCase {
    const char* name;
    std::vector<std::pair<std::string, std::vector<ScriptedEntry>>> tree;
    std::vector<std::string> treeBody;
    std::vector<std::string> listBody;
};

const ShapeCase kShapes[] = {
    {"EmptyRoot", {{"R:\\", {}}}, {}, {}},
    {"OnlyFiles", {{"R:\\", {File("b"), File("a")}}}, {"    b", "    a"}, {"    b", "    a"}},
    {"OneEmptyDirectory",
     {{"R:\\", {Dir("d")}}, {"R:\\d\\", {}}},
     {"|   ", "|___d"},
     {"    ", "R:\\d\\"}},
    {"DirectoriesWithoutFiles",
     {{"R:\\", {Dir("x"), Dir("y")}},
      {"R:\\x\\", {Dir("z")}},
      {"R:\\x\\z\\", {}},
      {"R:\\y\\", {File("f")}}},
     {"|   ", "|---x", "|   |   ", "|   |___z", "|   ", "|___y", "        f"},
     {"    ", "R:\\x\\", "    ", "R:\\x\\z\\", "    ", "R:\\y\\", "    f"}},
    {"NamesWithFormatCharacters",
     {{"R:\\", {File("100% %s %n.txt"), Dir("%d")}}, {"R:\\%d\\", {}}},
     {"|   100% %s %n.txt", "|   ", "|___%d"},
     {"    100% %s %n.txt", "    ", "R:\\%d\\"}},
    // An unreadable directory keeps its own line; its later siblings are listed.
    {"UnreadableDirectory",
     {{"R:\\", {Dir("locked"), Dir("open")}}, {"R:\\open\\", {File("f")}}},
     {"|   ", "|---locked", "|   ", "|___open", "        f"},
     {"    ", "R:\\locked\\", "    ", "R:\\open\\", "    f"}},
};

class Shapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(Shapes, TreeAndListBodies) {
    const ShapeCase& c = GetParam();
    for (ReportStyle style : {1, 0}) {
        ScriptedHost host;
        for (const auto& [directory, entries] : c.tree) host.Script(directory, entries);
        JobRunner job(host);
        std::string body = Body(job.Run("R:\\", style));
        EXPECT_EQ(body, CrLf(style ? c.treeBody : c.listBody)) << "style " << style;
    }
}

INSTANTIATE_TEST_SUITE_P(Walk, Shapes, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Walk, ListPrefixArgumentHasNoEffect) {
    for (const char* prefix : {"", "    ", "xyz|"}) {
        ScriptedHost host;
        ScriptListExample(host);
        TreeFixture scratch;
        CTextStream out;
        ASSERT_TRUE(out.Open(scratch.Path("o.txt").c_str(), "w"));
        CDirectoryReport job(host);
        job.m_pOutput = &out;
        job.WalkList("C:\\Data\\", prefix);
        out.Close();
        EXPECT_EQ(ReadFile(scratch.Path("o.txt")), CrLf(kListExample[0].body)) << prefix;
    }
}

TEST(Walk, LinkToDirectoryIsListedButNotEntered) {
    ScriptedHost host;
    ScriptedEntry link = Dir("loop", Noon(2020, 2, 2));
    link.isLink = true;
    host.Script("R:\\", {link, File("f", 5, Noon(2020, 1, 1))});
    host.Script("R:\\loop\\", {File("never")});
    JobRunner job(host);
    EXPECT_EQ(Body(job.Run("R:\\", 1, 1, 1)),
              CrLf({"|   f   ( 5 B, 01/01/20 )", "|   ", "|___loop   ( 02/02/20 )"}));
    EXPECT_EQ(host.opened, std::vector<std::string>{"R:\\"});
}

TEST(Walk, ReadsEachDirectoryOnceDepthFirst) {
    ScriptedHost host;
    ScriptTreeExample(host);
    JobRunner job(host);
    job.Run("C:\\Data", 1);
    EXPECT_EQ(host.opened, (std::vector<std::string>{"C:\\Data\\", "C:\\Data\\Photos\\",
                                                     "C:\\Data\\Photos\\Old\\", "C:\\Data\\Work\\",
                                                     "C:\\Data\\Work\\Drafts\\"}));
}

}  // namespace
