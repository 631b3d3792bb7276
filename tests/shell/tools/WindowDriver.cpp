// Drives the program's windows from outside, for the screenshot script:
//     window_driver wait <caption>           waits up to a minute for a visible window
//     window_driver command <caption> <id>   sends the window the command id, without waiting
// Ends with 0 on success, 1 when no such window came.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    std::string caption;
    HWND window = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
    Search* search = reinterpret_cast<Search*>(data);
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    if (!IsWindowVisible(window) || search->caption != caption)
        return TRUE;
    search->window = window;
    return FALSE;
}

HWND WaitFor(const std::string& caption) {
    Search search{caption};
    for (int i = 0; i < 600 && !search.window; i++) {
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (!search.window)
            Sleep(100);
    }
    return search.window;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_driver wait|command <caption> [<id>]\n");
        return 2;
    }
    HWND window = WaitFor(argv[2]);
    if (!window) {
        std::fprintf(stderr, "no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (std::string(argv[1]) == "command" && argc > 3)
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), BN_CLICKED), 0);
    return 0;
}
