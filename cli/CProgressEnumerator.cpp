#include "CProgressEnumerator.h"

#include <string>

namespace {

const uint64_t kStepsPerClockRead = 256;
const std::chrono::milliseconds kInterval(100);

}  // namespace

CProgressEnumerator::CProgressEnumerator(CDirectoryEnumerator& inner, CProgressLine& line)
    : m_inner(inner), m_line(line) {}

bool CProgressEnumerator::Open(const CString& directory, bool wantLength, bool wantTime) {
    m_strDirectory = directory;
    Step();
    return m_inner.Open(directory, wantLength, wantTime);
}

bool CProgressEnumerator::Next(CDirectoryEntry& entry) {
    if (!m_inner.Next(entry))
        return false;
    if (!entry.IsDots()) {
        m_nEntries++;
        Step();
    }
    return true;
}

void CProgressEnumerator::Close() {
    m_inner.Close();
}

void CProgressEnumerator::Finish() {
    m_inner.Finish();
}

void CProgressEnumerator::Step() {
    if (++m_nSteps < m_nNextClockRead)
        return;
    m_nNextClockRead = m_nSteps + kStepsPerClockRead;
    const auto now = std::chrono::steady_clock::now();
    if (m_bShown && now - m_lastShown < kInterval)
        return;
    m_bShown = true;
    m_lastShown = now;
    Show();
}

void CProgressEnumerator::Show() {
    const std::string head = std::to_string(m_nEntries) + " entries, reading ";
    m_line.Show(head, m_strDirectory.View());
}
