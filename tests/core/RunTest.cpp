#include <gtest/gtest.h>

#include "CFileSystem.h"
#include "TestSupport.h"

namespace {

const std::string kSep(1, CFileSystem::kSeparator);

const char kHeader[] =
    "\r\n\r\n*******************\r\n09/12/11 13:05:22 *\r\n*******************\r\nC:\\Data\\\r\n";

class RunTest : public ::testing::Test {
protected:
    ScriptedHost host;
    JobRunner job{host};

    void SetUp() override { host.Script("C:\\Data\\", {File("f.txt")}); }
    std::string Question() const { return job.output + " exists. Do you want to replace it?"; }
};

TEST_F(RunTest, NewFileBeginsWithTheHeaderBlock) {
    EXPECT_EQ(job.Run("C:\\Data", 1), kHeader + CrLf({"    f.txt"}));
    EXPECT_TRUE(job.lastResult);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(RunTest, TrailingSeparatorIsNotDoubled) {
    EXPECT_EQ(job.Run("C:\\Data\\", 0), kHeader + CrLf({"    f.txt"}));
}

TEST_F(RunTest, TimestampThatCannotBeConvertedGivesAnEmptyLine) {
    host.now = CTime(INT64_MAX);
    EXPECT_EQ(
        job.Run("C:\\Data", 1),
        "\r\n\r\n*******************\r\n\r\n*******************\r\nC:\\Data\\\r\n    f.txt\r\n");
}

TEST_F(RunTest, ExistingFileReplacedOnYes) {
    job.scratch.Text("listing.txt", "old report");
    host.answerYes = true;
    EXPECT_EQ(job.Run("C:\\Data", 1), kHeader + CrLf({"    f.txt"}));
    EXPECT_EQ(host.questions, std::vector<std::string>{Question()});
}

TEST_F(RunTest, ExistingFileAppendedToOnNo) {
    job.scratch.Text("listing.txt", "old report");
    host.answerYes = false;
    EXPECT_EQ(job.Run("C:\\Data", 1), "old report" + (kHeader + CrLf({"    f.txt"})));
    EXPECT_EQ(job.Run("C:\\Data", 1),
              "old report" + (kHeader + CrLf({"    f.txt"})) + (kHeader + CrLf({"    f.txt"})));
}

TEST_F(RunTest, AppendDropsOneFinalEndOfFileByte) {
    host.answerYes = false;
    job.scratch.Text("listing.txt", "old\x1a");
    EXPECT_EQ(job.Run("C:\\Data", 1), "old" + (kHeader + CrLf({"    f.txt"})));
    job.scratch.Text("listing.txt", "old\x1a\x1a");
    EXPECT_EQ(job.Run("C:\\Data", 1), "old\x1a" + (kHeader + CrLf({"    f.txt"})));
    job.scratch.Text("listing.txt",
                     "\x1a"
                     "old");
    EXPECT_EQ(job.Run("C:\\Data", 1),
              "\x1a"
              "old" +
                  (kHeader + CrLf({"    f.txt"})));
}

TEST_F(RunTest, ReadingStopsAtEachDirectoryBeforeItsLines) {
    job.Run("C:\\Data", 0);
    EXPECT_EQ(host.mostOpenEnumerations, 1);
    EXPECT_EQ(host.openEnumerations, 0);
}

// Checks of the directory, on the real file system.
class RunChecks : public ::testing::Test {
protected:
    TestHost host;
    JobRunner job{host};
    TreeFixture tree;
};

TEST_F(RunChecks, MissingDirectory) {
    std::string missing = tree.Path("missing");
    job.Run(missing, 1);
    EXPECT_FALSE(job.lastResult);
    EXPECT_EQ(host.errors, std::vector<std::string>{missing + kSep + " occurs error!"});
    EXPECT_FALSE(CFileSystem::FileExists(job.output.c_str()));
}

TEST_F(RunChecks, FileGivenAsDirectory) {
    tree.File("plain.txt", 3);
    job.Run(tree.Path("plain.txt"), 1);
    EXPECT_FALSE(job.lastResult);
    EXPECT_EQ(host.errors, std::vector<std::string>{tree.Path("plain.txt") + kSep +
                                                    " is not a right directory"});
    EXPECT_FALSE(CFileSystem::FileExists(job.output.c_str()));
}

TEST_F(RunChecks, OutputThatCannotBeOpened) {
    tree.Dir("a directory");
    const std::string cases[] = {tree.Path("no such folder/out.txt"), tree.Path("a directory"), ""};
    for (const std::string& output : cases) {
        host.errors.clear();
        job.output = output;
        job.Run(tree.Root(), 1);
        EXPECT_FALSE(job.lastResult) << output;
        EXPECT_TRUE(host.questions.empty()) << output;
        EXPECT_EQ(host.errors, std::vector<std::string>{output + " can not be opened!"});
    }
}

TEST_F(RunChecks, OutputInsideTheListedTreeIsListed) {
    tree.File("a.txt", 5);
    job.output = tree.Path("out.txt");
    std::string listing = job.Run(tree.Root(), 1);
    EXPECT_NE(listing.find("    out.txt\r\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("    a.txt\r\n"), std::string::npos) << listing;
}

// Windows cannot open a path past 259 characters with its narrow functions: such a path is
// refused before anything is asked or deleted. Other platforms take it.
TEST_F(RunChecks, LongOutputPath) {
    std::string folder = tree.Path(std::string(100, 'd') + "/" + std::string(100, 'e'));
    std::string output = folder + kSep + std::string(80, 'f') + ".txt";
    ASSERT_GT(output.size(), 259u);
    job.output = output;
    if (CFileSystem::kMaxPath != 0) {
        job.Run(tree.Root(), 1);
        EXPECT_FALSE(job.lastResult);
        EXPECT_TRUE(host.questions.empty());
        EXPECT_EQ(host.errors, std::vector<std::string>{output + " can not be opened!"});
    } else {
        tree.Dir(std::string(100, 'd') + "/" + std::string(100, 'e'));
        job.Run(tree.Root(), 1);
        EXPECT_TRUE(job.lastResult);
        EXPECT_TRUE(host.errors.empty());
    }
}

}  // namespace
