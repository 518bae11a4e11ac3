// Files: opening, testing, removing, renaming, sizing and locking. Every
// descriptor and stream opened here is close-on-exec. The plain functions
// throw a plat::SystemException naming the operation and its path; the
// NoThrow twins return a status and leave errno as the failing call set it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstdio>

namespace plat {

// The mode is fopen's: "r", "w" or "a", then any of "+", "x" (exclusive
// creation, no truncation), "e" and "b". Anything else fails with EINVAL.
FILE* fileOpenNoThrow(const char* path, const char* mode);
FILE* fileOpen(const char* path, const char* mode);  // "fileOpen(%s)"
// As fileOpen, but the open itself never waits: a named pipe opens at once
// for reading, and fails at once for writing when nothing reads it (ENXIO).
// What is opened then reads and writes as any file does. With regularOnly,
// anything but a regular file is closed again before a byte is read and
// refused with a plat::Exception (no system error): "fileOpen(%s): a named
// pipe, not a regular file" (or a directory, a device...). Configuration
// and settings files are opened so: a pipe in the place of one would hold
// its reader up until someone wrote into it.
FILE* fileOpenNoWait(const char* path, const char* mode, bool regularOnly);
int fileOpenFdNoThrow(const char* path, int flags, mode_t mode);
int fileOpenFd(const char* path, int flags, mode_t mode);  // "fileOpenFd(%s)"

// False for a missing file (ENOENT); any other failure throws.
bool fileExists(const char* path);  // "fileExists(%s)"
bool fileExistsNoThrow(const char* path);
bool isDir(const char* path);  // never throws

void fileRemove(const char* path);  // a file or an empty directory
bool fileRemoveNoThrow(const char* path);
void fileRename(const char* oldPath, const char* newPath);  // "fileRename(%s,%s)"
bool fileRenameNoThrow(const char* oldPath, const char* newPath);
void chDir(const char* path);
bool chDirNoThrow(const char* path);

int64_t fileGetSize(const char* path);
long long fileGetTime(const char* path);  // modification time, 100 ns units

void fileSeek(FILE* f, int64_t offset, int whence);  // "fileSeek"
bool fileSeekNoThrow(FILE* f, int64_t offset, int whence);
int64_t fileTell(FILE* f);  // "fileTell"
int64_t fileTellNoThrow(FILE* f);
int64_t fileGetSize(FILE* f);                // leaves the position where it was
void fileTruncate(FILE* f, int64_t length);  // "fileTruncate()"

// One write lock over the whole file. True when held, false when another
// process holds a conflicting one; wait blocks until it is free.
bool fileLock(FILE* f, bool wait);  // "fileLock"
void fileUnlock(FILE* f);           // "fileUnlock"

}  // namespace plat
