#include "TreeFixture.h"

#include "FileTimes.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TreeFixture::TreeFixture() {
    std::random_device random;
    for (;;) {
        m_root = fs::temp_directory_path() / ("quorvel-test-" + std::to_string(random()));
        if (fs::create_directory(m_root))
            break;
    }
}

TreeFixture::~TreeFixture() {
    std::error_code ignored;
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_root, ignored);
}

std::string TreeFixture::Root() const {
    return (m_root / "").string();
}

std::string TreeFixture::Path(const std::string& relative) const {
    return (m_root / fs::path(relative).make_preferred()).string();
}

TreeFixture& TreeFixture::File(const std::string& relative, uint64_t length) {
    fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary);
    if (length)
        fs::resize_file(path, length);
    return *this;
}

TreeFixture& TreeFixture::Dir(const std::string& relative) {
    fs::create_directories(Path(relative));
    return *this;
}

TreeFixture& TreeFixture::Time(const std::string& relative, int64_t seconds) {
    SetLastWriteTime(Path(relative), seconds);
    return *this;
}

TreeFixture& TreeFixture::Text(const std::string& relative, const std::string& content) {
    fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return *this;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
