#pragma once

#include "CCommandLine.h"
#include "CProgressEnumerator.h"
#include "CProgressLine.h"
#include "CSystemHost.h"

// The report host of the command line: notices go to standard error, the replace question is
// answered by the options or asked on the terminal, and the listing goes to the output file or
// to standard output.
class CCliHost : public CSystemHost {
public:
    explicit CCliHost(const CCommandLine& commandLine);

    bool FileExists(const CString& path) override;
    bool OpenOutput(CTextStream& stream, const CString& path, const char* mode) override;
    CDirectoryEnumerator& Enumerator() override;
    void ShowError(const CString& text) override;
    bool AskYesNo(const CString& text) override;

    // The name the job uses for its output: the file, or "standard output".
    CString OutputName() const;
    // Erases the progress line once the job has ended.
    void EndProgress();
    // True when an existing file was neither to be replaced nor appended to, and no one could
    // be asked: the job then opened nothing.
    bool Refused() const { return m_bRefused; }

private:
    bool AskOnTerminal(const CString& text);

    const CCommandLine& m_commandLine;
    bool m_bProgress;
    bool m_bRefused = false;
    // The stream the job opened; only looked at while the job runs.
    const CTextStream* m_pOutput = nullptr;
    CProgressLine m_progressLine;
    CProgressEnumerator m_progress;
};
