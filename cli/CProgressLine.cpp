#include "CProgressLine.h"

#include <cstdio>

#include "CConsole.h"

namespace {

const char kEllipsis[] = "...";
const size_t kEllipsisLength = 3;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Control characters in a name would move the cursor; they are shown as "?".
void AppendVisible(std::string& line, std::string_view text) {
    for (char c : text) line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
}

}  // namespace

void CProgressLine::Show(std::string_view head, std::string_view tail) {
    if (m_nColumns == 0)
        m_nColumns = CConsole::Columns(CConsole::kError);
    // The last column stays free: some terminals wrap as soon as it is written.
    const size_t room = m_nColumns > 1 ? m_nColumns - 1 : 1;
    std::string line;
    AppendVisible(line, head.substr(0, room));
    if (line.size() + tail.size() > room) {
        size_t keep =
            line.size() + kEllipsisLength < room ? room - line.size() - kEllipsisLength : 0;
        tail.remove_prefix(tail.size() - keep);
        // A character of several bytes is shown whole or not at all.
        while (!tail.empty() && IsContinuationByte(tail.front())) tail.remove_prefix(1);
        if (keep > 0)
            line += kEllipsis;
    }
    AppendVisible(line, tail);
    // Blanks cover what is left of a longer line before.
    const size_t length = line.size();
    if (length < m_nShown)
        line.append(m_nShown - length, ' ');
    Put("\r" + line);
    m_nShown = length;
}

void CProgressLine::Erase() {
    if (m_nShown == 0)
        return;
    Put("\r" + std::string(m_nShown, ' ') + "\r");
    m_nShown = 0;
}

void CProgressLine::Put(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
