#include "../CFileFind.h"

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
    return rest.size() > 1 && rest.back() == '/' &&
           rest.find('/') == rest.size() - 1 && rest != "./" && rest != "../";
}

}  // namespace

struct CFileFind::Impl {
    std::vector<Level> levels;
    CString path;  // the path of the deepest level, ending with "/"
    size_t budget = DescriptorBudget();
    size_t held = 0;  // levels holding a descriptor: always a run at the top of the stack
    int readFd = -1;  // the directory being read, owned by the top level
    std::vector<char> buffer = std::vector<char>(kBufferSize);
    size_t pos = 0, end = 0;
    bool exhausted = false;
    bool wantLength = false, wantTime = false;

    void PopLevel();
    void GiveUpShallowest();
    int OpenBelowTop(const CString& directory);
    void FillFacts(CDirectoryEntry& entry, unsigned char type);
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
    while (!m_impl->levels.empty())
        m_impl->PopLevel();
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
    m_impl->pos = m_impl->end = 0;
    m_impl->exhausted = false;
    m_impl->wantLength = wantLength;
    m_impl->wantTime = wantTime;
    return true;
}

void CFileFind::Impl::FillFacts(CDirectoryEntry& entry, unsigned char type) {
    const char* name = entry.name.data();
    entry.isDirectory = type == DT_DIR;
    entry.isLink = type == DT_LNK;
    entry.length = 0;
    entry.lastWrite = CTime(INT64_MIN);
    if (entry.IsDots())
        return;
    bool needStat = type == DT_UNKNOWN || wantTime || (wantLength && !entry.isDirectory);
    struct stat st;
    bool known = needStat && fstatat(readFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (known && type == DT_UNKNOWN) {
        entry.isDirectory = S_ISDIR(st.st_mode);
        entry.isLink = S_ISLNK(st.st_mode);
    }
    // A link is a directory line when it leads to a directory, else a file line; its own
    // length and time are shown either way.
    if (entry.isLink) {
        struct stat target;
        entry.isDirectory = fstatat(readFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    if (known) {
        entry.length = static_cast<uint64_t>(st.st_size);
        entry.lastWrite = CTime(static_cast<int64_t>(st.st_mtim.tv_sec));
    }
}

bool CFileFind::Next(CDirectoryEntry& entry) {
    Impl& d = *m_impl;
    if (d.readFd < 0)
        return false;
    if (d.pos >= d.end) {
        if (d.exhausted)
            return false;
        ssize_t n = getdents64(d.readFd, d.buffer.data(), d.buffer.size());
        if (n <= 0) {
            d.exhausted = true;
            return false;
        }
        d.pos = 0;
        d.end = static_cast<size_t>(n);
    }
    const struct dirent64* record = reinterpret_cast<const dirent64*>(d.buffer.data() + d.pos);
    d.pos += record->d_reclen;
    entry.name = std::string_view(record->d_name);
    d.FillFacts(entry, record->d_type);
    return true;
}

void CFileFind::Close() {
    m_impl->readFd = -1;
}
