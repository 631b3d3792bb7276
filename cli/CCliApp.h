#pragma once

class CCommandLine;

// The command-line program: reads the options, runs one report job and turns its outcome into
// the exit status.
class CCliApp {
public:
    enum ExitStatus { kWritten = 0, kFailed = 1, kWrongUsage = 2 };

    int Run(int argc, const char* const* argv);

private:
    int RunJob(const CCommandLine& commandLine);
    void ShowHelp();
    void ShowVersion();
};
