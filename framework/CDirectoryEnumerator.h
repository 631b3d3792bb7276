#pragma once

#include <cstdint>
#include <string_view>

#include "CString.h"
#include "CTime.h"

// One entry of a directory, as the enumeration delivers it. The name is valid until the next
// call of Next.
struct CDirectoryEntry {
    std::string_view name;
    bool isDirectory = false;  // the directory flag, set for "." and ".." too
    bool isLink = false;       // a symbolic link or junction: listed, never entered
    uint64_t length = 0;       // filled only when asked for
    CTime lastWrite;           // filled only when asked for; unknown times lie outside any calendar

    bool IsDots() const { return isDirectory && (name == "." || name == ".."); }
};

// Reads one directory at a time, in the file system's own order.
class CDirectoryEnumerator {
public:
    virtual ~CDirectoryEnumerator() = default;

    // Starts reading directory, a path ending in the path separator. wantLength asks for the
    // lengths of files, wantTime for the last-write time of every entry. False when the
    // directory cannot be read.
    virtual bool Open(const CString& directory, bool wantLength, bool wantTime) = 0;
    // The next entry, or false after the last one.
    virtual bool Next(CDirectoryEntry& entry) = 0;
    // Ends the reading. Always called after a successful Open, before another Open.
    virtual void Close() = 0;
    // The walk is over: lets go of whatever the enumeration kept for the directories it read.
    virtual void Finish() = 0;
};
