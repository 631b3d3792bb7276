// The floor of a listing: a depth-first walk that makes only the system calls no lister can
// avoid, in the order the report walks work in. The benchmark compares quorvel with it.
//
//   floor [--stat] [--output] DIRECTORY
//
// For each directory: getdents64 until the directory is read completely, then (with --stat) one
// statx per entry relative to the directory's descriptor, for its type, length and last-write
// time; then the lines of its files, then for each subdirectory its line and, opened with openat
// relative to the parent's descriptor, its content. Without --stat the type comes from d_type
// (an fstatat only where the file system leaves it unknown), so no entry is looked at.
//
// With --output every line is formatted into one large buffer that goes to standard output with
// write(2) whenever it is full. The lines have the bytes of the list view: a file is four blanks
// and its name, a subdirectory a spacer of four blanks and then its full path with "/", each
// with the size and date annotation under --stat, each line ended by CR LF. Only the date is
// cheaper than a real listing's: MM/DD/YY of UTC, computed with integers, without a time zone.
//
// The counts of directories and files go to standard error at the end.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Dirent64 {
    uint64_t ino;
    int64_t off;
    unsigned short reclen;
    unsigned char type;
    char name[1];
};

const unsigned char kTypeUnknown = 0;
const unsigned char kTypeDirectory = 4;
const size_t kReadChunk = 32 * 1024;
const size_t kOutputSize = 1 << 20;

struct Facts {
    bool known = false;
    uint64_t length = 0;
    int64_t seconds = 0;
};

struct Subdirectory {
    const char* name;
    Facts facts;
};

// The records of one directory. The memory is not cleared, so only the pages that getdents64
// fills are ever touched.
struct Records {
    std::unique_ptr<char[]> data;
    size_t size = 0;

    void Grow(size_t used, size_t wanted) {
        std::unique_ptr<char[]> bigger(new char[wanted]);
        if (used)
            std::memcpy(bigger.get(), data.get(), used);
        data = std::move(bigger);
        size = wanted;
    }
};

// One buffer per depth, reused by every directory at that depth.
struct Level {
    Records records;
    std::vector<Subdirectory> subdirectories;
};

class Output {
public:
    Output() : m_buffer(kOutputSize) {}

    char* Reserve(size_t n) {
        if (m_used + n > m_buffer.size()) {
            Flush();
            if (n > m_buffer.size())
                m_buffer.resize(n);
        }
        return m_buffer.data() + m_used;
    }
    void Commit(char* end) { m_used = static_cast<size_t>(end - m_buffer.data()); }

    void Flush() {
        size_t done = 0;
        while (done < m_used) {
            ssize_t n = write(STDOUT_FILENO, m_buffer.data() + done, m_used - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                perror("floor: write");
                _exit(2);
            }
            done += static_cast<size_t>(n);
        }
        m_used = 0;
    }

private:
    std::vector<char> m_buffer;
    size_t m_used = 0;
};

char* PutTwoDigits(char* p, unsigned value) {
    p[0] = static_cast<char>('0' + value / 10 % 10);
    p[1] = static_cast<char>('0' + value % 10);
    return p + 2;
}

// Separators before the 3rd, 6th and 9th digit from the right, as the listing has them.
char* PutLength(char* p, uint64_t length) {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + length % 10);
        length /= 10;
    } while (length != 0);
    while (n-- > 0) {
        *p++ = digits[n];
        if (n == 9 || n == 6 || n == 3)
            *p++ = ',';
    }
    return p;
}

// MM/DD/YY of the UTC day, by the proleptic Gregorian calendar counted in 400-year cycles.
char* PutDate(char* p, int64_t seconds) {
    int64_t days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
    days += 719468;  // days from 0000-03-01 to 1970-01-01
    int64_t cycle = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfCycle = days - cycle * 146097;
    int64_t yearOfCycle =
        (dayOfCycle - dayOfCycle / 1460 + dayOfCycle / 36524 - dayOfCycle / 146096) / 365;
    int64_t dayOfYear = dayOfCycle - (365 * yearOfCycle + yearOfCycle / 4 - yearOfCycle / 100);
    int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    unsigned day = static_cast<unsigned>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    unsigned month =
        static_cast<unsigned>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    int64_t year = yearOfCycle + cycle * 400 + (month <= 2 ? 1 : 0);
    p = PutTwoDigits(p, month);
    *p++ = '/';
    p = PutTwoDigits(p, day);
    *p++ = '/';
    return PutTwoDigits(p, static_cast<unsigned>((year % 100 + 100) % 100));
}

char* PutText(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

class Walker {
public:
    Walker(bool withStat, bool withOutput) : m_withStat(withStat), m_withOutput(withOutput) {}

    void Walk(int fd, std::string& path, size_t depth);
    void Finish() {
        if (m_withOutput)
            m_output.Flush();
        fprintf(stderr, "floor: %llu directories, %llu files, %llu unreadable\n",
                static_cast<unsigned long long>(m_dirs), static_cast<unsigned long long>(m_files),
                static_cast<unsigned long long>(m_unreadable));
    }

private:
    size_t ReadAll(int fd, Records& records);
    bool Examine(int fd, const Dirent64* record, Facts& facts);
    void FileLine(std::string_view name, const Facts& facts);
    void DirectoryLine(const std::string& path, std::string_view name, const Facts& facts);

    bool m_withStat;
    bool m_withOutput;
    Output m_output;
    std::vector<Level> m_levels;
    uint64_t m_dirs = 0, m_files = 0, m_unreadable = 0;
};

size_t Walker::ReadAll(int fd, Records& records) {
    size_t used = 0;
    for (;;) {
        if (records.size - used < kReadChunk)
            records.Grow(used, 2 * (used + kReadChunk));
        long n = syscall(SYS_getdents64, fd, records.data.get() + used, records.size - used);
        if (n <= 0) {
            if (n < 0)
                m_unreadable++;
            return used;
        }
        used += static_cast<size_t>(n);
    }
}

// Returns whether the entry is a directory, and fills its facts under --stat.
bool Walker::Examine(int fd, const Dirent64* record, Facts& facts) {
    if (m_withStat) {
        struct statx sx;
        if (statx(fd, record->name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                  STATX_TYPE | STATX_SIZE | STATX_MTIME, &sx) == 0) {
            facts.known = true;
            facts.length = sx.stx_size;
            facts.seconds = sx.stx_mtime.tv_sec;
            return S_ISDIR(sx.stx_mode);
        }
        return record->type == kTypeDirectory;
    }
    if (record->type != kTypeUnknown)
        return record->type == kTypeDirectory;
    struct stat st;
    return fstatat(fd, record->name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

void Walker::FileLine(std::string_view name, const Facts& facts) {
    char* p = m_output.Reserve(name.size() + 64);
    p = PutText(p, "    ");
    p = PutText(p, name);
    if (m_withStat) {
        p = PutText(p, "   ( ");
        p = PutLength(p, facts.length);
        p = PutText(p, " B, ");
        if (facts.known)
            p = PutDate(p, facts.seconds);
        p = PutText(p, " )");
    }
    m_output.Commit(PutText(p, "\r\n"));
}

void Walker::DirectoryLine(const std::string& path, std::string_view name, const Facts& facts) {
    char* p = m_output.Reserve(path.size() + name.size() + 64);
    p = PutText(p, "    \r\n");
    p = PutText(p, path);
    p = PutText(p, name);
    *p++ = '/';
    if (m_withStat) {
        p = PutText(p, "   ( ");
        if (facts.known)
            p = PutDate(p, facts.seconds);
        p = PutText(p, " )");
    }
    m_output.Commit(PutText(p, "\r\n"));
}

void Walker::Walk(int fd, std::string& path, size_t depth) {
    if (m_levels.size() <= depth)
        m_levels.resize(depth + 1);
    Level& level = m_levels[depth];
    size_t used = ReadAll(fd, level.records);
    level.subdirectories.clear();
    for (size_t pos = 0; pos < used;) {
        const Dirent64* record = reinterpret_cast<const Dirent64*>(level.records.data.get() + pos);
        pos += record->reclen;
        const char* name = record->name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        Facts facts;
        if (Examine(fd, record, facts)) {
            level.subdirectories.push_back({name, facts});
            continue;
        }
        m_files++;
        if (m_withOutput)
            FileLine(name, facts);
    }
    // m_levels may grow below, so the level is looked up again by index.
    for (size_t k = 0; k < m_levels[depth].subdirectories.size(); k++) {
        const Subdirectory sub = m_levels[depth].subdirectories[k];
        m_dirs++;
        if (m_withOutput)
            DirectoryLine(path, sub.name, sub.facts);
        int child = openat(fd, sub.name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0) {
            m_unreadable++;
            continue;
        }
        size_t keep = path.size();
        if (m_withOutput) {
            path += sub.name;
            path += '/';
        }
        Walk(child, path, depth + 1);
        path.resize(keep);
        close(child);
    }
}

void RaiseDescriptorLimit() {
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool withStat = false, withOutput = false, valid = true;
    const char* root = nullptr;
    for (int i = 1; i < argc; i++) {
        std::string_view arg = argv[i];
        if (arg == "--stat")
            withStat = true;
        else if (arg == "--output")
            withOutput = true;
        else if (!root && !arg.starts_with("-"))
            root = argv[i];
        else
            valid = false;
    }
    if (!valid || !root) {
        fprintf(stderr, "usage: floor [--stat] [--output] DIRECTORY\n");
        return 2;
    }
    RaiseDescriptorLimit();
    int fd = open(root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        perror(root);
        return 2;
    }
    std::string path = root;
    if (path.empty() || path.back() != '/')
        path += '/';
    Walker walker(withStat, withOutput);
    walker.Walk(fd, path, 0);
    close(fd);
    walker.Finish();
    return 0;
}
