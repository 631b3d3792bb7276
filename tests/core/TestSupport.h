#pragma once

#include <string>
#include <vector>

#include "CDirectoryReport.h"
#include "ScriptedHost.h"
#include "TreeFixture.h"

// The lines as the listing file holds them: each followed by CR LF.
std::string CrLf(const std::vector<std::string>& lines);
// The listing without its header block (two empty lines, asterisks, time, asterisks, directory).
std::string Body(const std::string& listing);

// The two worked example trees, scripted below C:\Data\.
void ScriptTreeExample(ScriptedHost& host);
void ScriptListExample(ScriptedHost& host);

// Runs one job on a host and gives back the output file's bytes.
class JobRunner {
public:
    explicit JobRunner(CReportHost& host) : m_host(host) {}
    std::string Run(const std::string& directory, ReportStyle style, int size = 0, int time = 0);
    bool lastResult = false;
    TreeFixture scratch;
    std::string output = scratch.Path("listing.txt");

private:
    CReportHost& m_host;
};
