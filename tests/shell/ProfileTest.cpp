#include <gtest/gtest.h>

#include "CMainApp.h"
#include "ShellTestSupport.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    TestProfile profile;
};

TEST_F(ProfileTest, NamesComeFromTheExecutable) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    EXPECT_STREQ(theApp.m_pszAppName, "shell_tests");
    EXPECT_EQ(std::string(theApp.m_pszHelpFilePath),
              program.substr(0, program.size() - 4) + ".HLP");
    EXPECT_EQ(std::string(theApp.m_strDefaultOutputFile), ProgramDirectory() + "quorvel.txt");
}

TEST_F(ProfileTest, ReadingCreatesTheKeysButNoValue) {
    EXPECT_FALSE(profile.SectionExists(""));
    EXPECT_EQ(theApp.GetProfileInt("settings", "size", 7), 7u);
    EXPECT_EQ(std::string(theApp.GetProfileString("Setup", "name", "default")), "default");
    EXPECT_TRUE(profile.SectionExists("settings"));
    EXPECT_TRUE(profile.SectionExists("Setup"));
    EXPECT_EQ(profile.ValueCount("settings"), 0u);
    EXPECT_EQ(profile.ValueCount("Setup"), 0u);
}

TEST_F(ProfileTest, NumbersAreStoredAsDwordsAndReadBackWhole) {
    for (int value : {0, 1, 2, -1, 0x7FFFFFFF, INT32_MIN}) {
        theApp.WriteProfileInt("settings", "size", value);
        TestProfile::Value stored = profile.Get("settings", "size");
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(profile.GetDword("settings", "size"), static_cast<DWORD>(value));
        EXPECT_EQ(static_cast<int>(theApp.GetProfileInt("settings", "size", 5)), value);
    }
}

TEST_F(ProfileTest, TextsAreStoredWithTheirTerminator) {
    for (std::string text : {"C:\\Data\\out put.txt", "", "relative.txt"}) {
        theApp.WriteProfileString("settings", "filename", text.c_str());
        TestProfile::Value stored = profile.Get("settings", "filename");
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(stored.data, text + '\0');
        EXPECT_EQ(std::string(theApp.GetProfileString("settings", "filename", "default")), text);
    }
}

struct StoredNumber {
    const char* what;
    DWORD type;
    std::string data;
};

// A hand-edited profile may hold anything; what is not a 32-bit REG_DWORD is absent.
TEST_F(ProfileTest, NumbersOfAnotherTypeOrSizeReadAsAbsent) {
    const StoredNumber cases[] = {
        {"text", REG_SZ, std::string("1\0", 2)},
        {"binary", REG_BINARY, std::string("\1\0\0\0", 4)},
        {"quad word", REG_QWORD, std::string("\1\0\0\0\0\0\0\0", 8)},
        {"short dword", REG_DWORD, std::string("\1\0", 2)},
        {"long dword", REG_DWORD, std::string("\1\0\0\0\0\0", 6)},
        {"empty dword", REG_DWORD, std::string()},
    };
    for (const StoredNumber& c : cases) {
        profile.Put("settings", "size", c.type, c.data);
        EXPECT_EQ(theApp.GetProfileInt("settings", "size", 9), 9u) << c.what;
    }
}

struct StoredText {
    const char* what;
    DWORD type;
    std::string data;
    const char* expected;
};

TEST_F(ProfileTest, TextsOfAnotherTypeUnterminatedOrOverlongReadAsAbsent) {
    const StoredText cases[] = {
        {"dword", REG_DWORD, std::string("abc\0", 4), "default"},
        {"binary", REG_BINARY, std::string("abc\0", 4), "default"},
        {"expandable", REG_EXPAND_SZ, std::string("abc\0", 4), "default"},
        {"unterminated", REG_SZ, std::string("abc"), "default"},
        {"over-long", REG_SZ, std::string(40000, 'x') + '\0', "default"},
        {"no data", REG_SZ, std::string(), "default"},
        {"terminator only", REG_SZ, std::string("\0", 1), ""},
        {"zero inside", REG_SZ, std::string("ab\0cd\0", 6), "ab"},
        {"two terminators", REG_SZ, std::string("ab\0\0", 4), "ab"},
    };
    for (const StoredText& c : cases) {
        profile.Put("settings", "filename", c.type, c.data);
        EXPECT_EQ(std::string(theApp.GetProfileString("settings", "filename", "default")),
                  c.expected)
            << c.what;
    }
}

TEST_F(ProfileTest, LongestTextIsStillRead) {
    std::string text(32767, 'y');
    theApp.WriteProfileString("settings", "filename", text.c_str());
    EXPECT_EQ(std::string(theApp.GetProfileString("settings", "filename", "default")), text);
}

struct StartCase {
    const char* helpFile;
    const char* defaultOutput;
};

// The start-up default is quorvel.txt beside the executable, whose help file path names it.
TEST_F(ProfileTest, StartUpDefaultLiesBesideTheExecutable) {
    const StartCase cases[] = {
        {"C:\\Program Files\\Quorvel\\Quorvel.HLP", "C:\\Program Files\\Quorvel\\quorvel.txt"},
        {"C:\\Quorvel.HLP", "C:\\quorvel.txt"},
        {"\\\\server\\share\\Q.HLP", "\\\\server\\share\\quorvel.txt"},
    };
    const char* helpFile = theApp.m_pszHelpFilePath;
    for (const StartCase& c : cases) {
        theApp.m_pszHelpFilePath = c.helpFile;
        theApp.InitProfile();
        EXPECT_EQ(std::string(theApp.m_strDefaultOutputFile), c.defaultOutput);
    }
    theApp.m_pszHelpFilePath = helpFile;
    theApp.InitProfile();
}

struct PathCase {
    const char* path;
    const char* directory;
    const char* tail;
};

TEST(PathTest, PathSplitsAtItsLastBackslash) {
    const PathCase cases[] = {
        {"C:\\Program Files\\Quorvel\\Quorvel.HLP", "C:\\Program Files\\Quorvel\\",
         "\\Quorvel.HLP"},
        {"C:\\Quorvel.HLP", "C:\\", "\\Quorvel.HLP"},
        {"C:\\Data\\", "C:\\Data\\", "\\"},
        {"quorvel.txt", "", ""},
        {"", "", ""},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(std::string(CMainApp::GetPathDirectory(c.path)), c.directory) << c.path;
        EXPECT_EQ(std::string(CMainApp::GetPathFileTail(c.path)), c.tail) << c.path;
    }
}

}  // namespace
