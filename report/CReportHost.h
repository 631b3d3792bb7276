#pragma once

#include <cstddef>

#include "CDirectoryEnumerator.h"
#include "CFileSystem.h"
#include "CString.h"
#include "CTextStream.h"
#include "CTime.h"

// Everything a report job asks of the machine and of the user. The Windows program answers with
// message boxes, the command line with its terminal, the tests with scripted answers.
class CReportHost {
public:
    virtual ~CReportHost() = default;

    virtual CFileSystem::PathKind QueryPath(const CString& path) = 0;
    virtual bool FileExists(const CString& path) = 0;
    virtual void RemoveFile(const CString& path) = 0;
    // The longest output path the host can open; 0 for no limit.
    virtual size_t MaxPathLength() = 0;
    // The separator that ends directory paths.
    virtual char Separator() = 0;
    virtual bool OpenOutput(CTextStream& stream, const CString& path, const char* mode) = 0;
    virtual CDirectoryEnumerator& Enumerator() = 0;
    virtual CTime Now() = 0;

    // Tells the user why the job stopped, and waits until the user has read it.
    virtual void ShowError(const CString& text) = 0;
    // Asks a question whose default answer is Yes; true for Yes.
    virtual bool AskYesNo(const CString& text) = 0;
};
