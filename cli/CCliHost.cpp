#include "CCliHost.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "CConsole.h"

namespace {

const char kStandardOutputName[] = "standard output";

// One line of standard input without its line end; false at the end of the input.
bool ReadLine(std::string& line) {
    line.clear();
    int c;
    while ((c = std::getc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

std::string Normalized(const std::string& answer) {
    std::string result;
    for (char c : answer) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

}  // namespace

// The progress line shows only where someone watches it, and only when it cannot mix with the
// listing on the same screen.
CCliHost::CCliHost(const CCommandLine& commandLine)
    : m_commandLine(commandLine),
      m_bProgress(commandLine.m_bHasOutput && CConsole::IsTerminal(CConsole::kError)),
      m_progress(CSystemHost::Enumerator(), m_progressLine) {}

// Standard output is never an existing file to ask about.
bool CCliHost::FileExists(const CString& path) {
    return m_commandLine.m_bHasOutput && CSystemHost::FileExists(path);
}

bool CCliHost::OpenOutput(CTextStream& stream, const CString& path, const char* mode) {
    if (m_bRefused)
        return false;
    const bool crlf = !m_commandLine.m_bLf;
    bool opened = m_commandLine.m_bHasOutput ? stream.Open(path, mode, crlf)
                                             : stream.OpenStandardOutput(crlf);
    if (opened)
        m_pOutput = &stream;
    return opened;
}

CDirectoryEnumerator& CCliHost::Enumerator() {
    return m_bProgress ? m_progress : CSystemHost::Enumerator();
}

void CCliHost::ShowError(const CString& text) {
    m_progressLine.Erase();
    // The refusal has been told already; the job's notice about the unopened file would only
    // repeat it. A reader that went away (a pipe closed early) wanted no more: not an error to
    // report, only a reason to stop.
    if (m_bRefused || (m_pOutput && m_pOutput->ReaderGone()))
        return;
    std::fprintf(stderr, "quorvel: %s\n", text.GetString());
}

bool CCliHost::AskYesNo(const CString& text) {
    if (m_commandLine.m_bReplace)
        return true;
    if (m_commandLine.m_bAppend)
        return false;
    if (CConsole::IsTerminal(CConsole::kInput) && CConsole::IsTerminal(CConsole::kError))
        return AskOnTerminal(text);
    std::fprintf(stderr,
                 "quorvel: %s exists and there is no terminal to ask whether to replace it; "
                 "give --replace or --append\n",
                 m_commandLine.m_strOutputFile.GetString());
    m_bRefused = true;
    return false;
}

// Enter alone means Yes. The end of the input means No: the old content is kept.
bool CCliHost::AskOnTerminal(const CString& text) {
    std::string answer;
    for (;;) {
        std::fprintf(stderr, "%s [Y/n] ", text.GetString());
        std::fflush(stderr);
        if (!ReadLine(answer)) {
            std::fputc('\n', stderr);
            return false;
        }
        answer = Normalized(answer);
        if (answer.empty() || answer == "y" || answer == "yes")
            return true;
        if (answer == "n" || answer == "no")
            return false;
    }
}

CString CCliHost::OutputName() const {
    return m_commandLine.m_bHasOutput ? m_commandLine.m_strOutputFile
                                      : CString(kStandardOutputName);
}

void CCliHost::EndProgress() {
    m_progressLine.Erase();
}
