#pragma once

#include <cstdint>
#include <vector>

#include "CStringList.h"
#include "CTime.h"

// What one directory holds, gathered completely before any of its lines is written. The file
// lists run in step, and so do the subdirectory lists. Sizes and dates are kept as numbers and
// turned into text when their line is written; a list whose switch is off stays empty.
struct CDirectoryContents {
    CStringList fileNames;
    std::vector<uint64_t> fileSizes;
    std::vector<CTime> fileDates;
    CStringList subdirNames;
    std::vector<CTime> subdirDates;
    std::vector<bool> subdirIsLink;  // listed, but never entered

    // Empties the lists and keeps their memory for the next directory at the same depth.
    void Clear() {
        fileNames.RemoveAll();
        fileSizes.clear();
        fileDates.clear();
        subdirNames.RemoveAll();
        subdirDates.clear();
        subdirIsLink.clear();
    }
};
