#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// One entry of a directory as getdents gave it, and the facts looked up for it.
struct CEntryFacts {
    const char* name;
    unsigned char type;  // d_type
    bool isDirectory = false;
    bool isLink = false;
    uint64_t length = 0;
    int64_t lastWrite = INT64_MIN;  // unknown until looked up
};

// Looks up the lengths, times and types of a batch of entries relative to their directory.
// Looking up a name costs the kernel more than anything else in a listing, and the lookups of
// different names do not wait for each other: on a machine with more than one core a second
// thread takes half of each large batch. The results are the same either way.
class CStatBatch {
public:
    CStatBatch() = default;
    ~CStatBatch();
    CStatBatch(const CStatBatch&) = delete;
    CStatBatch& operator=(const CStatBatch&) = delete;

    void Fill(int directoryFd, std::vector<CEntryFacts>& entries, bool wantLength, bool wantTime);

private:
    struct Job {
        int fd = -1;
        CEntryFacts* first = nullptr;
        size_t count = 0;
        bool wantLength = false, wantTime = false;
    };

    static void FillRange(const Job& job);
    void StartWorker();
    void Work();

    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_posted, m_finished;
    Job m_job;
    uint64_t m_jobsPosted = 0, m_jobsDone = 0;
    bool m_quit = false;
};
