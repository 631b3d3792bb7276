#pragma once

#include "CFileFind.h"
#include "CReportHost.h"

// The host operations as the platform provides them. The front ends derive from it and add how
// they talk to the user.
class CSystemHost : public CReportHost {
public:
    CFileSystem::PathKind QueryPath(const CString& path) override;
    bool FileExists(const CString& path) override;
    void RemoveFile(const CString& path) override;
    size_t MaxPathLength() override;
    char Separator() override;
    bool OpenOutput(CTextStream& stream, const CString& path, const char* mode) override;
    CDirectoryEnumerator& Enumerator() override;
    CTime Now() override;

private:
    CFileFind m_finder;
};
