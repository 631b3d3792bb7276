#include "CProgressLine.h"

#include <cstdio>
#include <string>

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
    std::string text;
    AppendVisible(text, head.substr(0, room));
    if (text.size() + tail.size() > room) {
        size_t keep =
            text.size() + kEllipsisLength < room ? room - text.size() - kEllipsisLength : 0;
        tail.remove_prefix(tail.size() - keep);
        // A character of several bytes is shown whole or not at all.
        while (!tail.empty() && IsContinuationByte(tail.front())) tail.remove_prefix(1);
        if (keep > 0)
            text += kEllipsis;
    }
    AppendVisible(text, tail);
    // Blanks cover what is left of a longer line before.
    const size_t length = text.size();
    if (length < m_nShown)
        text.append(m_nShown - length, ' ');
    Put(text);
    m_nShown = length;
}

void CProgressLine::Erase() {
    if (m_nShown == 0)
        return;
    Put(std::string(m_nShown, ' '));
    Put("");
    m_nShown = 0;
}

// Writes the text from the start of the line, in one piece so that the line never flickers.
void CProgressLine::Put(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 1);
    line += '\r';
    line += text;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}
