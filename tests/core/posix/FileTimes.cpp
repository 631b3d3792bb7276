#include "FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>

bool SetLastWriteTime(const std::string& path, int64_t seconds) {
    struct timespec times[2] = {{static_cast<time_t>(seconds), 0},
                                {static_cast<time_t>(seconds), 0}};
    return utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}
