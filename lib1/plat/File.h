// Opening files. Every descriptor and stream opened here is close-on-exec.
// The plain functions throw a plat::SystemException naming the operation and
// the path; the NoThrow twins return null or -1 and leave errno set.
#pragma once

#include <sys/types.h>

#include <cstdio>

namespace plat {

// The mode is fopen's: "r", "w" or "a", then any of "+", "x" (exclusive
// creation, no truncation), "e" and "b". Anything else fails with EINVAL.
FILE* fileOpenNoThrow(const char* path, const char* mode);
FILE* fileOpen(const char* path, const char* mode);
int fileOpenFdNoThrow(const char* path, int flags, mode_t mode);
int fileOpenFd(const char* path, int flags, mode_t mode);

}  // namespace plat
