#pragma once

#include <cstdint>
#include <string>

// Sets a file's or directory's last-write time, in seconds since 1970 UTC. The standard library
// cannot do it for directories on Windows, nor for years far from now.
bool SetLastWriteTime(const std::string& path, int64_t seconds);
