#include "CStringList.h"

void CStringList::AddTail(std::string_view text) {
    m_text += text;
    m_ends.push_back(m_text.size());
}

std::string_view CStringList::GetAt(size_t index) const {
    size_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_text).substr(begin, m_ends[index] - begin);
}

void CStringList::RemoveAll() {
    m_text.clear();
    m_ends.clear();
}
