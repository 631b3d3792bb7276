#include "CStatBatch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

namespace {

// Below this many entries a second thread costs more than it saves.
const size_t kShareFrom = 64;

bool IsDots(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

void LookUp(int fd, CEntryFacts& entry, bool wantLength, bool wantTime) {
    const unsigned char type = entry.type;
    entry.isDirectory = type == DT_DIR;
    entry.isLink = type == DT_LNK;
    if (entry.isDirectory && IsDots(entry.name))
        return;
    bool needStat = type == DT_UNKNOWN || wantTime || (wantLength && !entry.isDirectory);
    struct stat st;
    bool known = needStat && fstatat(fd, entry.name, &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (known && type == DT_UNKNOWN) {
        entry.isDirectory = S_ISDIR(st.st_mode);
        entry.isLink = S_ISLNK(st.st_mode);
    }
    // A link is a directory line when it leads to a directory, else a file line; its own
    // length and time are shown either way.
    if (entry.isLink) {
        struct stat target;
        entry.isDirectory = fstatat(fd, entry.name, &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    if (known) {
        entry.length = static_cast<uint64_t>(st.st_size);
        entry.lastWrite = static_cast<int64_t>(st.st_mtim.tv_sec);
    }
}

}  // namespace

CStatBatch::~CStatBatch() {
    if (!m_worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_posted.notify_one();
    m_worker.join();
}

void CStatBatch::FillRange(const Job& job) {
    for (size_t i = 0; i < job.count; i++)
        LookUp(job.fd, job.first[i], job.wantLength, job.wantTime);
}

void CStatBatch::Fill(int directoryFd, std::vector<CEntryFacts>& entries, bool wantLength,
                      bool wantTime) {
    Job all{directoryFd, entries.data(), entries.size(), wantLength, wantTime};
    bool lookups = wantLength || wantTime;
    if (!lookups || entries.size() < kShareFrom || std::thread::hardware_concurrency() < 2) {
        FillRange(all);
        return;
    }
    if (!m_worker.joinable())
        StartWorker();
    const size_t half = entries.size() / 2;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_job =
            Job{directoryFd, entries.data() + half, entries.size() - half, wantLength, wantTime};
        m_jobsPosted++;
    }
    m_posted.notify_one();
    FillRange(Job{directoryFd, entries.data(), half, wantLength, wantTime});
    std::unique_lock<std::mutex> lock(m_mutex);
    m_finished.wait(lock, [this] { return m_jobsDone == m_jobsPosted; });
}

void CStatBatch::StartWorker() {
    m_worker = std::thread([this] { Work(); });
}

void CStatBatch::Work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_posted.wait(lock, [this] { return m_quit || m_jobsDone != m_jobsPosted; });
        if (m_quit)
            return;
        Job job = m_job;
        lock.unlock();
        FillRange(job);
        lock.lock();
        m_jobsDone++;
        m_finished.notify_one();
    }
}
