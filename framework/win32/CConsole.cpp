#include "../CConsole.h"

#include <windows.h>

namespace {

const size_t kDefaultColumns = 80;

HANDLE Handle(CConsole::Stream stream) {
    switch (stream) {
        case CConsole::kInput:
            return GetStdHandle(STD_INPUT_HANDLE);
        case CConsole::kOutput:
            return GetStdHandle(STD_OUTPUT_HANDLE);
        case CConsole::kError:
            break;
    }
    return GetStdHandle(STD_ERROR_HANDLE);
}

}  // namespace

// Only a console has a console mode; the null device, which the run time's isatty also calls a
// character device, has none.
bool CConsole::IsTerminal(Stream stream) {
    DWORD mode;
    return GetConsoleMode(Handle(stream), &mode) != 0;
}

size_t CConsole::Columns(Stream stream) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(Handle(stream), &info))
        return kDefaultColumns;
    int columns = info.srWindow.Right - info.srWindow.Left + 1;
    return columns > 0 ? static_cast<size_t>(columns) : kDefaultColumns;
}

// A write to a closed pipe fails with an error on Windows; there is no signal to ignore.
void CConsole::IgnoreBrokenPipe() {}
