#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// An ordered list of byte strings, appended at the tail and read by position.
// The texts share one buffer, so a directory of a million names costs two allocations that
// grow, not a million small ones.
class CStringList {
public:
    void AddTail(std::string_view text);
    size_t GetCount() const { return m_ends.size(); }
    bool IsEmpty() const { return m_ends.empty(); }
    std::string_view GetAt(size_t index) const;
    void RemoveAll();

private:
    std::string m_text;
    std::vector<size_t> m_ends;
};
