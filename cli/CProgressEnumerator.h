#pragma once

#include <chrono>
#include <cstdint>

#include "CDirectoryEnumerator.h"
#include "CProgressLine.h"

// Passes a directory enumeration through unchanged and shows on a progress line how many entries
// have been read and which directory is being read: at once for the first directory, then at
// most ten times a second. The clock is read only every few hundred steps, so that a large tree
// is not slowed down by it.
class CProgressEnumerator : public CDirectoryEnumerator {
public:
    CProgressEnumerator(CDirectoryEnumerator& inner, CProgressLine& line);

    bool Open(const CString& directory, bool wantLength, bool wantTime) override;
    bool Next(CDirectoryEntry& entry) override;
    void Close() override;
    void Finish() override;

private:
    void Step();
    void Show();

    CDirectoryEnumerator& m_inner;
    CProgressLine& m_line;
    CString m_strDirectory;
    uint64_t m_nEntries = 0;
    uint64_t m_nSteps = 0;
    uint64_t m_nNextClockRead = 1;
    bool m_bShown = false;
    std::chrono::steady_clock::time_point m_lastShown;
};
