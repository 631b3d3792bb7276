#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "CDirectoryContents.h"
#include "CLocalCalendar.h"
#include "CReportHost.h"
#include "CString.h"
#include "CTextStream.h"
#include "CTime.h"

// 0 is the list view; every other value is the tree view.
typedef int32_t ReportStyle;

// One report job: checks the directory, opens the output file (replacing or appending after
// asking), writes the header block and the listing of the whole tree, and closes the file.
class CDirectoryReport {
public:
    explicit CDirectoryReport(CReportHost& host);
    virtual ~CDirectoryReport();

    // Writes one report; false when it stopped, after telling the user why.
    bool Run(CString directory, ReportStyle style);
    // Both walks keep the caller's prefix as it is; the directory ends in the separator.
    void WalkTree(const CString& directory, CString prefix);
    void WalkList(const CString& directory, CString prefix);
    bool FileExists(const CString& path);

    // Appends the separator unless the path's last byte already is one.
    static CString EnsureTrailingBackslash(const CString& path,
                                           char separator = CFileSystem::kSeparator);

    static CString FormatSizeText(uint64_t length);
    static CString FormatDateText(CTime time);
    static void AppendFileAnnotation(CString& line, std::string_view sizeText,
                                     std::string_view dateText, int32_t bIncludeSize,
                                     int32_t bIncludeTime);
    static void AppendDirectoryAnnotation(CString& line, std::string_view dateText,
                                          int32_t bIncludeTime);

    CString m_strOutputFile;
    int32_t m_bIncludeTime;
    int32_t m_bIncludeSize;
    CString m_strRootDir;
    CTextStream* m_pOutput;

private:
    bool CheckDirectory();
    bool CheckOutputPath();
    const char* ChooseOpenMode();
    void Gather(const CString& directory, CDirectoryContents& contents);
    void WriteHeader();
    void WriteFileLines(std::string_view prefix, const CDirectoryContents& contents);
    void WriteLine(std::string_view text);
    bool Stopped() const;

    std::string_view DateText(CTime time, char* buffer);
    void WalkTreeLevel();
    void WalkListLevel();
    CDirectoryContents* EnterLevel();
    void LeaveLevel();

    CReportHost& m_host;
    CLocalCalendar m_calendar;
    std::vector<std::unique_ptr<CDirectoryContents>> m_levels;  // one per depth of the walk
    size_t m_depth = 0;
    CString m_path;    // the directory being listed, ending in the separator
    CString m_prefix;  // the tree's prefix of that directory's caller
    CString m_line;    // the line being assembled, reused so that a line costs no allocation
};
