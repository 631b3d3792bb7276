#include "ScriptedHost.h"

#include <algorithm>
#include <chrono>

ScriptedEntry File(const std::string& name, uint64_t length, CTime lastWrite) {
    return ScriptedEntry{name, false, length, lastWrite, false};
}

ScriptedEntry Dir(const std::string& name, CTime lastWrite) {
    return ScriptedEntry{name, true, 0, lastWrite, false};
}

CTime Noon(int year, int month, int day) {
    using namespace std::chrono;
    const sys_days date = std::chrono::year(year) / month / day;
    return CTime(duration_cast<seconds>(date.time_since_epoch()).count() + 12 * 3600);
}

void ScriptedHost::Script(const std::string& directory, std::vector<ScriptedEntry> entries) {
    entries.insert(entries.begin(), {Dir("."), Dir("..")});
    m_tree[directory] = std::move(entries);
}

void ScriptedHost::Unreadable(const std::string& directory) {
    m_unreadable.push_back(directory);
}

CFileSystem::PathKind ScriptedHost::QueryPath(const CString& path) {
    if (m_tree.count(path.GetString()) ||
        std::count(m_unreadable.begin(), m_unreadable.end(), path.GetString()))
        return CFileSystem::kDirectory;
    return CSystemHost::QueryPath(path);
}

bool ScriptedHost::ScriptEnumerator::Open(const CString& directory, bool, bool) {
    m_host.opened.push_back(directory.GetString());
    auto found = m_host.m_tree.find(directory.GetString());
    if (found == m_host.m_tree.end())
        return false;
    m_entries = &found->second;
    m_next = 0;
    m_open = true;
    m_host.openEnumerations++;
    m_host.mostOpenEnumerations = std::max(m_host.mostOpenEnumerations, m_host.openEnumerations);
    return true;
}

bool ScriptedHost::ScriptEnumerator::Next(CDirectoryEntry& entry) {
    if (!m_open || m_next >= m_entries->size())
        return false;
    const ScriptedEntry& e = (*m_entries)[m_next++];
    entry.name = e.name;
    entry.isDirectory = e.isDirectory;
    entry.isLink = e.isLink;
    entry.length = e.length;
    entry.lastWrite = e.lastWrite;
    return true;
}

void ScriptedHost::ScriptEnumerator::Close() {
    if (m_open)
        m_host.openEnumerations--;
    m_open = false;
}
