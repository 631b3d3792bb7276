#pragma once

#include <cstddef>
#include <string_view>

// One line on standard error that is rewritten in place and erased at the end. It is kept
// shorter than the terminal is wide: a line that wrapped could not be rewritten.
class CProgressLine {
public:
    // Shows the head, then as much of the end of the tail as fits.
    void Show(std::string_view head, std::string_view tail);
    // Clears the line and leaves the cursor at its start; nothing when nothing is shown.
    void Erase();

private:
    void Put(std::string_view text);

    size_t m_nShown = 0;  // characters on the line now
    size_t m_nColumns = 0;
};
