#include "TestSupport.h"

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string Body(const std::string& listing) {
    size_t pos = 0;
    for (int line = 0; line < 6 && pos != std::string::npos; line++) {
        pos = listing.find("\r\n", pos);
        if (pos != std::string::npos)
            pos += 2;
    }
    return pos == std::string::npos ? std::string("<no header>") : listing.substr(pos);
}

void ScriptTreeExample(ScriptedHost& host) {
    host.Script("C:\\Data\\",
                {File("notes.txt", 1234567, Noon(2011, 9, 15)), Dir("Photos", Noon(2011, 8, 1)),
                 File("readme.txt", 80, Noon(2011, 9, 1)), Dir("Work", Noon(2011, 9, 10))});
    host.Script("C:\\Data\\Photos\\",
                {File("a.jpg", 52340, Noon(2011, 8, 1)), Dir("Old", Noon(2011, 8, 1))});
    host.Script("C:\\Data\\Photos\\Old\\", {});
    host.Script("C:\\Data\\Work\\",
                {File("plan.doc", 9876, Noon(2011, 9, 10)), Dir("Drafts", Noon(2011, 9, 10))});
    host.Script("C:\\Data\\Work\\Drafts\\", {});
}

void ScriptListExample(ScriptedHost& host) {
    host.Script("C:\\Data\\",
                {Dir("Archive", Noon(2011, 9, 14)), File("notes.txt", 1234567, Noon(2011, 9, 15)),
                 Dir("Photos", Noon(2011, 9, 15)), File("readme.txt", 532, Noon(2011, 9, 12))});
    host.Script("C:\\Data\\Archive\\",
                {Dir("2010", Noon(2010, 1, 5)), File("old.log", 12, Noon(2010, 1, 5))});
    host.Script("C:\\Data\\Archive\\2010\\", {});
    host.Script("C:\\Data\\Photos\\", {});
}

std::string JobRunner::Run(const std::string& directory, ReportStyle style, int size, int time) {
    CDirectoryReport job(m_host);
    job.m_strOutputFile = output.c_str();
    job.m_bIncludeSize = size;
    job.m_bIncludeTime = time;
    lastResult = job.Run(directory.c_str(), style);
    return ReadFile(output);
}
