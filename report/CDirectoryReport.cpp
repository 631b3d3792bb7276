#include "CDirectoryReport.h"

#include <memory>

using namespace std::string_view_literals;

namespace {

const std::string_view kAsterisks = "*******************"sv;
const std::string_view kBar = "|   "sv;
const std::string_view kBlank = "    "sv;

// Room for 20 digits and three separators.
const size_t kSizeTextCapacity = 24;
const size_t kDateTextCapacity = 8;

size_t PutSizeText(uint64_t length, char* out) {
    char digits[20];
    size_t n = 0;
    do {
        digits[n++] = static_cast<char>('0' + length % 10);
        length /= 10;
    } while (length != 0);
    // The separators go before the 3rd, 6th and 9th digit from the right, and no further: the
    // digits left of the third one stay together.
    size_t written = 0;
    for (size_t i = n; i-- > 0;) {
        out[written++] = digits[i];
        if (i == 9 || i == 6 || i == 3)
            out[written++] = ',';
    }
    return written;
}

std::string_view SizeText(uint64_t length, char* buffer) {
    return std::string_view(buffer, PutSizeText(length, buffer));
}

}  // namespace

CDirectoryReport::CDirectoryReport(CReportHost& host)
    : m_strOutputFile("Quorvel.txt"),
      m_bIncludeTime(0),
      m_bIncludeSize(0),
      m_pOutput(nullptr),
      m_host(host) {}

CDirectoryReport::~CDirectoryReport() = default;

CString CDirectoryReport::EnsureTrailingBackslash(const CString& path, char separator) {
    if (!path.IsEmpty() && path.GetAt(path.GetLength() - 1) == separator)
        return path;
    return path + separator;
}

bool CDirectoryReport::FileExists(const CString& path) {
    return m_host.FileExists(path);
}

bool CDirectoryReport::Run(CString directory, ReportStyle style) {
    directory = EnsureTrailingBackslash(directory, m_host.Separator());
    m_strRootDir = directory;
    if (!CheckDirectory() || !CheckOutputPath())
        return false;
    CTextStream output;
    if (!m_host.OpenOutput(output, m_strOutputFile, ChooseOpenMode())) {
        m_host.ShowError(m_strOutputFile + " can not be opened!");
        return false;
    }
    m_pOutput = &output;
    WriteHeader();
    if (style == 0)
        WalkList(m_strRootDir, CString());
    else
        WalkTree(m_strRootDir, CString());
    m_host.Enumerator().Finish();
    bool written = output.Close();
    m_pOutput = nullptr;
    if (!written) {
        m_host.ShowError(m_strOutputFile + " can not be written!");
        return false;
    }
    return true;
}

bool CDirectoryReport::CheckDirectory() {
    switch (m_host.QueryPath(m_strRootDir)) {
        case CFileSystem::kQueryFailed:
            m_host.ShowError(m_strRootDir + " occurs error!");
            return false;
        case CFileSystem::kNotDirectory:
            m_host.ShowError(m_strRootDir + " is not a right directory");
            return false;
        case CFileSystem::kDirectory:
            break;
    }
    return true;
}

// A path the platform cannot open is refused before anything is asked or deleted.
bool CDirectoryReport::CheckOutputPath() {
    size_t maxPath = m_host.MaxPathLength();
    if (maxPath != 0 && m_strOutputFile.GetLength() > maxPath) {
        m_host.ShowError(m_strOutputFile + " can not be opened!");
        return false;
    }
    return true;
}

// An existing output file is replaced or appended to, as the user answers.
const char* CDirectoryReport::ChooseOpenMode() {
    if (!FileExists(m_strOutputFile))
        return "w";
    if (!m_host.AskYesNo(m_strOutputFile + " exists. Do you want to replace it?"))
        return "a+";
    m_host.RemoveFile(m_strOutputFile);
    return "w";
}

void CDirectoryReport::WriteHeader() {
    WriteLine("\n\n" + std::string(kAsterisks));
    char stamp[32];
    size_t length = m_host.Now().FormatDateTime(stamp);
    WriteLine(length ? std::string(stamp, length) + " *" : std::string());
    WriteLine(kAsterisks);
    WriteLine(m_strRootDir.View());
}

void CDirectoryReport::Gather(const CString& directory, CDirectoryContents& contents) {
    const bool wantSize = m_bIncludeSize == 1;
    const bool wantTime = m_bIncludeTime == 1;
    CDirectoryEnumerator& finder = m_host.Enumerator();
    if (!finder.Open(directory, wantSize, wantTime))
        return;
    CDirectoryEntry entry;
    while (finder.Next(entry)) {
        if (!entry.isDirectory) {
            contents.fileNames.AddTail(entry.name);
            if (wantTime)
                contents.fileDates.push_back(entry.lastWrite);
            if (wantSize)
                contents.fileSizes.push_back(entry.length);
        } else if (!entry.IsDots()) {
            contents.subdirNames.AddTail(entry.name);
            contents.subdirIsLink.push_back(entry.isLink);
            if (wantTime)
                contents.subdirDates.push_back(entry.lastWrite);
        }
    }
    finder.Close();
}

void CDirectoryReport::WriteFileLines(std::string_view prefix, const CDirectoryContents& contents) {
    char sizeBuffer[kSizeTextCapacity];
    char dateBuffer[kDateTextCapacity];
    for (size_t i = 0; i < contents.fileNames.GetCount(); i++) {
        std::string_view size, date;
        if (m_bIncludeSize == 1)
            size = SizeText(contents.fileSizes[i], sizeBuffer);
        if (m_bIncludeTime == 1)
            date = DateText(contents.fileDates[i], dateBuffer);
        m_line.Assign(prefix);
        m_line += contents.fileNames.GetAt(i);
        AppendFileAnnotation(m_line, size, date, m_bIncludeSize, m_bIncludeTime);
        WriteLine(m_line.View());
    }
}

// The walks keep the path of the directory being listed, and the tree's prefix, in one string
// each for the whole walk: a level appends its part on the way down and cuts it off on the way
// back, so a deep tree costs no copies of long paths.
void CDirectoryReport::WalkTree(const CString& directory, CString prefix) {
    m_path.Assign(directory.View());
    m_prefix = prefix;
    WalkTreeLevel();
}

void CDirectoryReport::WalkList(const CString& directory, CString) {
    m_path.Assign(directory.View());
    WalkListLevel();
}

void CDirectoryReport::WalkTreeLevel() {
    if (Stopped())
        return;
    CDirectoryContents* contents = EnterLevel();
    Gather(m_path, *contents);
    const size_t count = contents->subdirNames.GetCount();
    const size_t callerPrefix = m_prefix.GetLength();
    const size_t parent = m_path.GetLength();
    m_prefix += count ? kBar : kBlank;
    WriteFileLines(m_prefix.View(), *contents);
    char dateBuffer[kDateTextCapacity];
    for (size_t k = 0; k < count; k++) {
        const bool last = k + 1 == count;
        const std::string_view name = contents->subdirNames.GetAt(k);
        WriteLine(m_prefix.View());
        m_line.Assign(m_prefix.View().substr(0, callerPrefix));
        m_line += last ? "|___"sv : "|---"sv;
        m_line += name;
        std::string_view date;
        if (m_bIncludeTime == 1)
            date = DateText(contents->subdirDates[k], dateBuffer);
        AppendDirectoryAnnotation(m_line, date, m_bIncludeTime);
        WriteLine(m_line.View());
        if (last) {
            m_prefix.Truncate(callerPrefix);
            m_prefix += kBlank;
        }
        if (!contents->subdirIsLink[k]) {
            m_path += name;
            m_path += m_host.Separator();
            WalkTreeLevel();
            m_path.Truncate(parent);
        }
    }
    m_prefix.Truncate(callerPrefix);
    LeaveLevel();
}

// File lines are indented by four blanks at every depth; the depth shows only in the paths.
void CDirectoryReport::WalkListLevel() {
    if (Stopped())
        return;
    CDirectoryContents* contents = EnterLevel();
    Gather(m_path, *contents);
    WriteFileLines(kBlank, *contents);
    char dateBuffer[kDateTextCapacity];
    const size_t parent = m_path.GetLength();
    for (size_t k = 0; k < contents->subdirNames.GetCount(); k++) {
        WriteLine(kBlank);
        // The path line is the subdirectory's path and its annotation, which is cut off again.
        m_path += contents->subdirNames.GetAt(k);
        m_path += m_host.Separator();
        const size_t length = m_path.GetLength();
        std::string_view date;
        if (m_bIncludeTime == 1)
            date = DateText(contents->subdirDates[k], dateBuffer);
        AppendDirectoryAnnotation(m_path, date, m_bIncludeTime);
        WriteLine(m_path.View());
        m_path.Truncate(length);
        if (!contents->subdirIsLink[k])
            WalkListLevel();
        m_path.Truncate(parent);
    }
    LeaveLevel();
}

// The lists of each depth are kept for the next directory at that depth, so that a walk over
// thousands of directories allocates only as often as the deepest path is long.
CDirectoryContents* CDirectoryReport::EnterLevel() {
    if (m_depth == m_levels.size())
        m_levels.push_back(std::make_unique<CDirectoryContents>());
    CDirectoryContents* contents = m_levels[m_depth++].get();
    contents->Clear();
    return contents;
}

void CDirectoryReport::LeaveLevel() {
    m_depth--;
}

CString CDirectoryReport::FormatSizeText(uint64_t length) {
    char buffer[kSizeTextCapacity];
    return CString(SizeText(length, buffer));
}

CString CDirectoryReport::FormatDateText(CTime time) {
    char buffer[kDateTextCapacity];
    return CString(buffer, time.FormatDate(buffer));
}

std::string_view CDirectoryReport::DateText(CTime time, char* buffer) {
    return std::string_view(buffer, m_calendar.FormatDate(time, buffer));
}

void CDirectoryReport::AppendFileAnnotation(CString& line, std::string_view sizeText,
                                            std::string_view dateText, int32_t bIncludeSize,
                                            int32_t bIncludeTime) {
    if (bIncludeSize != 1 && bIncludeTime != 1)
        return;
    line += "   ( "sv;
    if (bIncludeSize == 1) {
        line += sizeText;
        line += " B, "sv;
    }
    if (bIncludeTime == 1) {
        line += dateText;
        line += " )"sv;
    } else {
        line += ")"sv;
    }
}

void CDirectoryReport::AppendDirectoryAnnotation(CString& line, std::string_view dateText,
                                                 int32_t bIncludeTime) {
    if (bIncludeTime != 1)
        return;
    line += "   ( "sv;
    line += dateText;
    line += " )"sv;
}

void CDirectoryReport::WriteLine(std::string_view text) {
    m_pOutput->WriteLine(text);
}

// Once the output has failed nothing more can reach it, so the rest of the tree is not read.
bool CDirectoryReport::Stopped() const {
    return m_pOutput && m_pOutput->Failed();
}
