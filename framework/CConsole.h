#pragma once

#include <cstddef>

// What a command-line program needs to know about the terminal it runs in.
class CConsole {
public:
    enum Stream { kInput, kOutput, kError };

    // True when the stream is an interactive terminal (not a file, a pipe or a null device).
    static bool IsTerminal(Stream stream);
    // Columns of the terminal behind the stream; 80 when it cannot be told.
    static size_t Columns(Stream stream);
    // Lets a write to a pipe whose reader has gone fail with an error instead of ending the
    // process, so the program can end the way it chooses.
    static void IgnoreBrokenPipe();
};
