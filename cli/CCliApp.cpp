#include "CCliApp.h"

#include <cstdio>

#include "CCliHost.h"
#include "CCommandLine.h"
#include "CConsole.h"
#include "CDirectoryReport.h"

namespace {

const char kHelp[] =
    "Usage: quorvel [OPTIONS] DIRECTORY\n"
    "Write a plain-text listing of DIRECTORY and everything below it: a header block with the\n"
    "date, the time and the directory, then one line per file and directory. Lines end in\n"
    "CR LF.\n"
    "\n"
    "  -t, --tree          draw the listing as a tree, with \"|---\" and \"|___\"\n"
    "  -l, --list          write each directory's path with its files indented below it\n"
    "                      (the default)\n"
    "  -s, --size          add each file's size in bytes\n"
    "  -d, --date          add each file's and directory's last-write date (MM/DD/YY)\n"
    "  -o, --output FILE   write the listing to FILE; without it, to standard output\n"
    "      --replace       if FILE exists, replace it without asking\n"
    "      --append        if FILE exists, append the new listing after it\n"
    "      --lf            end lines with LF instead of CR LF\n"
    "  -h, --help          show this help and exit\n"
    "  -V, --version       show the version and exit\n"
    "\n"
    "If FILE exists and neither --replace nor --append is given, quorvel asks on the\n"
    "terminal whether to replace it: Enter or \"y\" replaces it, \"n\" appends the new listing\n"
    "after the old one. With no terminal to ask on, it leaves FILE as it is and exits with\n"
    "status 2. While the listing is written to FILE, a terminal shows how far it has come.\n"
    "\n"
    "Exit status: 0 the listing was written, 1 it failed, 2 wrong usage.\n";

}  // namespace

int CCliApp::Run(int argc, const char* const* argv) {
    CCommandLine commandLine;
    if (!commandLine.Parse(argc, argv)) {
        std::fprintf(stderr, "quorvel: %s; see 'quorvel --help'\n",
                     commandLine.m_strError.GetString());
        return kWrongUsage;
    }
    switch (commandLine.m_action) {
        case CCommandLine::kHelp:
            ShowHelp();
            return kWritten;
        case CCommandLine::kVersion:
            ShowVersion();
            return kWritten;
        case CCommandLine::kListing:
            break;
    }
    return RunJob(commandLine);
}

int CCliApp::RunJob(const CCommandLine& commandLine) {
    // A closed pipe ends the listing through a failed write, which the job notices, rather than
    // through a signal that would end the process on the spot.
    CConsole::IgnoreBrokenPipe();
    CCliHost host(commandLine);
    CDirectoryReport report(host);
    report.m_strOutputFile = host.OutputName();
    report.m_bIncludeSize = commandLine.m_bSize ? 1 : 0;
    report.m_bIncludeTime = commandLine.m_bDate ? 1 : 0;
    const bool written = report.Run(commandLine.m_strDirectory, commandLine.m_bTree ? 1 : 0);
    host.EndProgress();
    if (host.Refused())
        return kWrongUsage;
    return written ? kWritten : kFailed;
}

void CCliApp::ShowHelp() {
    std::fputs(kHelp, stdout);
}

void CCliApp::ShowVersion() {
    std::fputs("quorvel " QUORVEL_VERSION "\n", stdout);
}
