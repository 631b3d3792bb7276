#include "../CConsole.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

namespace {

const size_t kDefaultColumns = 80;

int Descriptor(CConsole::Stream stream) {
    switch (stream) {
        case CConsole::kInput:
            return STDIN_FILENO;
        case CConsole::kOutput:
            return STDOUT_FILENO;
        case CConsole::kError:
            break;
    }
    return STDERR_FILENO;
}

}  // namespace

bool CConsole::IsTerminal(Stream stream) {
    return isatty(Descriptor(stream)) == 1;
}

size_t CConsole::Columns(Stream stream) {
    struct winsize size;
    if (ioctl(Descriptor(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0)
        return kDefaultColumns;
    return size.ws_col;
}

void CConsole::IgnoreBrokenPipe() {
    std::signal(SIGPIPE, SIG_IGN);
}
