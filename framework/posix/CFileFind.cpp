#include "../CFileFind.h"

#include "CStatBatch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

// The walk goes depth first, so the directories it opens form a path from the listed one down.
// Each of them keeps its descriptor while its subdirectories are read, so that a child is opened
// relative to its parent and no path is ever resolved twice. Past a budget of descriptors the
// shallowest ones are given up and found again through ".." on the way back up, checked by
// device and inode, so a tree of any depth is read with a bounded number of descriptors.

namespace {

const size_t kBufferSize = 64 * 1024;
const int kOpenDirectory = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// A directory on the way down. Its path is the first length bytes of the deepest one's path.
struct Level {
    size_t length = 0;
    int fd = -1;  // -1 once given up, or when it could not be found again
    dev_t dev = 0;
    ino_t ino = 0;
};

size_t DescriptorBudget() {
    struct rlimit limit;
    rlim_t soft = getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 1024;
    if (soft == RLIM_INFINITY || soft > 4096)
        soft = 4096;
    return soft > 64 ? static_cast<size_t>(soft / 4) : 8;
}

bool IsBelow(std::string_view path, std::string_view ancestor) {
    return path.size() > ancestor.size() && path.substr(0, ancestor.size()) == ancestor;
}

bool IsSingleComponent(std::string_view rest) {
    return rest.size() > 1 && rest.back() == '/' && rest.find('/') == rest.size() - 1 &&
           rest != "./" && rest != "../";
}

}  // namespace

struct CFileFind::Impl {
    std::vector<Level> levels;
    CString path;  // the path of the deepest level, ending with "/"
    size_t budget = DescriptorBudget();
    size_t held = 0;  // levels holding a descriptor: always a run at the top of the stack
    int readFd = -1;  // the directory being read, owned by the top level
    std::vector<char> buffer = std::vector<char>(kBufferSize);
    std::vector<CEntryFacts> batch;  // the entries of the buffer, with their facts
    size_t next = 0;
    CStatBatch lookups;
    bool exhausted = false;
    bool wantLength = false, wantTime = false;

    void PopLevel();
    void GiveUpShallowest();
    int OpenBelowTop(const CString& directory);
    bool Refill();
};

// Closes the top level. When the level below it gave up its descriptor, it is found again
// through "..", provided it is still the same directory.
void CFileFind::Impl::PopLevel() {
    Level top = levels.back();
    levels.pop_back();
    if (top.fd < 0)
        return;
    held--;
    if (!levels.empty() && levels.back().fd < 0) {
        Level& parent = levels.back();
        int fd = openat(top.fd, "..", kOpenDirectory);
        struct stat st;
        if (fd >= 0 && fstat(fd, &st) == 0 && st.st_dev == parent.dev && st.st_ino == parent.ino) {
            parent.fd = fd;
            held++;
        } else if (fd >= 0) {
            close(fd);
        }
    }
    close(top.fd);
}

void CFileFind::Impl::GiveUpShallowest() {
    Level& level = levels[levels.size() - held];
    struct stat st;
    if (fstat(level.fd, &st) == 0) {
        level.dev = st.st_dev;
        level.ino = st.st_ino;
    }
    close(level.fd);
    level.fd = -1;
    held--;
}

// Pops the levels the walk has finished with: every one that is not an ancestor of directory.
int CFileFind::Impl::OpenBelowTop(const CString& directory) {
    while (!levels.empty() &&
           !IsBelow(directory.View(), path.View().substr(0, levels.back().length)))
        PopLevel();
    if (!levels.empty() && levels.back().fd >= 0) {
        std::string_view rest = directory.View().substr(levels.back().length);
        if (IsSingleComponent(rest)) {
            std::string name(rest.substr(0, rest.size() - 1));
            return openat(levels.back().fd, name.c_str(), kOpenDirectory);
        }
    }
    // The listed directory itself, or a level that was lost: by its full path. The listed
    // directory may be a link the user chose, so it is followed.
    return open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

CFileFind::CFileFind() : m_impl(new Impl) {}

CFileFind::~CFileFind() {
    Finish();
}

void CFileFind::Finish() {
    Close();
    while (!m_impl->levels.empty()) m_impl->PopLevel();
}

bool CFileFind::Open(const CString& directory, bool wantLength, bool wantTime) {
    Close();
    int fd = m_impl->OpenBelowTop(directory);
    if (fd < 0)
        return false;
    if (m_impl->held >= m_impl->budget)
        m_impl->GiveUpShallowest();
    Level level;
    level.length = directory.GetLength();
    level.fd = fd;
    m_impl->levels.push_back(level);
    m_impl->path.Assign(directory.View());
    m_impl->held++;
    m_impl->readFd = fd;
    m_impl->batch.clear();
    m_impl->next = 0;
    m_impl->exhausted = false;
    m_impl->wantLength = wantLength;
    m_impl->wantTime = wantTime;
    return true;
}

// Reads the next block of entries and looks up what the walk asked for, all at once.
bool CFileFind::Impl::Refill() {
    batch.clear();
    next = 0;
    if (exhausted)
        return false;
    ssize_t n = getdents64(readFd, buffer.data(), buffer.size());
    if (n <= 0) {
        exhausted = true;
        return false;
    }
    for (ssize_t pos = 0; pos < n;) {
        const struct dirent64* record = reinterpret_cast<const dirent64*>(buffer.data() + pos);
        pos += record->d_reclen;
        CEntryFacts facts;
        facts.name = record->d_name;
        facts.type = record->d_type;
        batch.push_back(facts);
    }
    lookups.Fill(readFd, batch, wantLength, wantTime);
    return true;
}

bool CFileFind::Next(CDirectoryEntry& entry) {
    Impl& d = *m_impl;
    if (d.readFd < 0)
        return false;
    while (d.next >= d.batch.size())
        if (!d.Refill())
            return false;
    const CEntryFacts& facts = d.batch[d.next++];
    entry.name = std::string_view(facts.name);
    entry.isDirectory = facts.isDirectory;
    entry.isLink = facts.isLink;
    entry.length = facts.length;
    entry.lastWrite = CTime(facts.lastWrite);
    return true;
}

void CFileFind::Close() {
    m_impl->readFd = -1;
}
