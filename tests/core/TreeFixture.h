#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// A directory tree built in a fresh temporary directory and removed afterwards:
//     TreeFixture tree;
//     tree.File("docs/a.txt", 1234).Dir("empty");
//     Listing(tree.Root());
class TreeFixture {
public:
    TreeFixture();
    ~TreeFixture();
    TreeFixture(const TreeFixture&) = delete;
    TreeFixture& operator=(const TreeFixture&) = delete;

    // The root directory, ending in the platform's separator.
    std::string Root() const;
    // The path of an entry below the root ("a/b" may use "/" on every platform).
    std::string Path(const std::string& relative) const;

    // A file of the given length (sparse), its parents created as needed.
    TreeFixture& File(const std::string& relative, uint64_t length = 0);
    TreeFixture& Dir(const std::string& relative);
    // Sets the last-write time, in seconds since 1970 UTC.
    TreeFixture& Time(const std::string& relative, int64_t seconds);
    TreeFixture& Text(const std::string& relative, const std::string& content);

private:
    std::filesystem::path m_root;
};

std::string ReadFile(const std::string& path);
