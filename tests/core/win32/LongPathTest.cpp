#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

// The narrow functions take paths of up to 259 characters; the wide ones in their "\\?\" form
// go past that. The paths here are plain ASCII.
std::wstring Long(const std::string& path) {
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

void MakeDirectory(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(Long(path).c_str(), nullptr)) << path;
}

void MakeFile(const std::string& path) {
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((Long(path) + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring wide = data.cFileName;
            std::string name(wide.begin(), wide.end());
            if (name == "." || name == "..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + name + "\\");
            else
                DeleteFileW(Long(path + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(Long(path).c_str());
}

// A directory whose search pattern (its path and "*.*") is longer than 259 characters cannot be
// read: its parent lists it, and nothing is written below it.
TEST(WindowsListing, DirectoryPastThePathLimitIsListedEmpty) {
    TreeFixture tree;
    const std::string first = tree.Root() + std::string(100, 'a') + "\\";
    const std::string second = first + std::string(100, 'b') + "\\";
    const std::string third = second + std::string(100, 'c') + "\\";
    ASSERT_LE(second.size() + 3, 259u);
    ASSERT_GT(third.size() + 3, 259u);
    MakeDirectory(first);
    MakeDirectory(second);
    MakeDirectory(third);
    MakeFile(second + "near.txt");
    MakeFile(third + "far.txt");
    TestHost host;
    JobRunner job(host);
    EXPECT_EQ(Body(job.Run(tree.Root(), 0)),
              CrLf({"    ", first, "    ", second, "    near.txt", "    ", third}));
    EXPECT_TRUE(job.lastResult);
    RemoveTree(first);
}

}  // namespace
