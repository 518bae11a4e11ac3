#include "lib1/plat/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "lib1/plat/Descriptor.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Time.h"

namespace plat {

namespace {

[[noreturn]] void failOn(const char* op, const char* path) {
  throw SystemExceptionFmt("%s(%s)", errno, op, path);
}

}  // namespace

int fileOpenFdNoThrow(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  // Already close-on-exec from birth where the system knows O_CLOEXEC; this
  // makes sure of it where the flag is ignored.
  if (!fdSetInheritableNoThrow(fd, false, true)) return -1;
  return fd;
}

int fileOpenFd(const char* path, int flags, mode_t mode) {
  int fd = fileOpenFdNoThrow(path, flags, mode);
  if (fd < 0) failOn("fileOpenFd", path);
  return fd;
}

namespace {

// fopen's mode as open flags and fdopen's mode; false (errno EINVAL) for one
// outside the grammar.
bool parseMode(const char* mode, int* openFlags, char fdMode[3]) {
  int access;
  int flags = 0;
  fdMode[0] = mode[0];
  fdMode[1] = fdMode[2] = 0;
  switch (mode[0]) {
    case 'r':
      access = O_RDONLY;
      break;
    case 'w':
      access = O_WRONLY;
      flags = O_CREAT | O_TRUNC;
      break;
    case 'a':
      access = O_WRONLY;
      flags = O_CREAT | O_APPEND;
      break;
    default:
      errno = EINVAL;
      return false;
  }
  for (const char* m = mode + 1; *m; m++) {
    switch (*m) {
      case '+':
        access = O_RDWR;
        fdMode[1] = '+';
        break;
      case 'x':
        flags = (flags & ~O_TRUNC) | O_EXCL;
        break;
      case 'e':
      case 'b':
        break;
      default:
        errno = EINVAL;
        return false;
    }
  }
  *openFlags = access | flags;
  return true;
}

// The stream over fd, which is closed again when none can be made.
FILE* streamOn(int fd, const char* fdMode) {
  FILE* f = fdopen(fd, fdMode);
  if (!f) {
    int err = errno;
    fdClose(fd);
    errno = err;
  }
  return f;
}

const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "of an unknown kind";
}

}  // namespace

FILE* fileOpenNoThrow(const char* path, const char* mode) {
  int flags;
  char fdMode[3];
  if (!parseMode(mode, &flags, fdMode)) return nullptr;
  int fd = fileOpenFdNoThrow(path, flags, 0664);
  return fd < 0 ? nullptr : streamOn(fd, fdMode);
}

FILE* fileOpenNoWait(const char* path, const char* mode, bool regularOnly) {
  int flags;
  char fdMode[3];
  if (!parseMode(mode, &flags, fdMode)) failOn("fileOpen", path);
  int fd = fileOpenFdNoThrow(path, flags | O_NONBLOCK, 0664);
  if (fd < 0) failOn("fileOpen", path);
  auto fail = [&] {
    int err = errno;
    fdClose(fd);
    throw SystemExceptionFmt("fileOpen(%s)", err, path);
  };
  // Looked at once open, so that what is checked is what is read: a check of
  // the path before would leave room for another file to take its place.
  struct stat st;
  if (fstat(fd, &st) != 0) fail();
  if (regularOnly && !S_ISREG(st.st_mode)) {
    fdClose(fd);
    throw Exception(1, "fileOpen(%s): %s, not a regular file", path, kindOf(st.st_mode));
  }
  // Only the open must not wait; reads and writes do as usual from here on.
  int status = fcntl(fd, F_GETFL);
  if (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) fail();
  FILE* f = streamOn(fd, fdMode);
  if (!f) failOn("fileOpen", path);
  return f;
}

FILE* fileOpen(const char* path, const char* mode) {
  FILE* f = fileOpenNoThrow(path, mode);
  if (!f) failOn("fileOpen", path);
  return f;
}

bool fileExistsNoThrow(const char* path) {
  struct stat st;
  return stat(path, &st) == 0;
}

bool fileExists(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0) return true;
  if (errno == ENOENT) return false;
  failOn("fileExists", path);
}

bool isDir(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool fileRemoveNoThrow(const char* path) { return remove(path) == 0; }

void fileRemove(const char* path) {
  if (!fileRemoveNoThrow(path)) failOn("fileRemove", path);
}

bool fileRenameNoThrow(const char* oldPath, const char* newPath) {
  return rename(oldPath, newPath) == 0;
}

void fileRename(const char* oldPath, const char* newPath) {
  if (!fileRenameNoThrow(oldPath, newPath))
    throw SystemExceptionFmt("fileRename(%s,%s)", errno, oldPath, newPath);
}

bool chDirNoThrow(const char* path) { return chdir(path) == 0; }

void chDir(const char* path) {
  if (!chDirNoThrow(path)) failOn("chDir", path);
}

int64_t fileGetSize(const char* path) {
  struct stat st;
  if (stat(path, &st) != 0) failOn("fileGetSize", path);
  return st.st_size;
}

long long fileGetTime(const char* path) {
  struct stat st;
  if (stat(path, &st) != 0) failOn("fileGetTime", path);
  return convertUnixTime(st.st_mtim);
}

bool fileSeekNoThrow(FILE* f, int64_t offset, int whence) {
  return fseeko(f, off_t(offset), whence) == 0;
}

void fileSeek(FILE* f, int64_t offset, int whence) {
  if (!fileSeekNoThrow(f, offset, whence)) throw SystemException("fileSeek", errno);
}

int64_t fileTellNoThrow(FILE* f) { return ftello(f); }

int64_t fileTell(FILE* f) {
  int64_t at = fileTellNoThrow(f);
  if (at < 0) throw SystemException("fileTell", errno);
  return at;
}

int64_t fileGetSize(FILE* f) {
  int64_t at = fileTell(f);
  fileSeek(f, 0, SEEK_END);
  int64_t size = fileTell(f);
  fileSeek(f, at, SEEK_SET);
  return size;
}

void fileTruncate(FILE* f, int64_t length) {
  int rc;
  do {
    rc = ftruncate(fileno(f), off_t(length));
  } while (rc < 0 && errno == EINTR);
  if (rc < 0) throw SystemException("fileTruncate()", errno);
}

namespace {

bool setLock(FILE* f, short type, int cmd) {
  struct flock fl = {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  return fcntl(fileno(f), cmd, &fl) == 0;
}

}  // namespace

bool fileLock(FILE* f, bool wait) {
  if (wait) {
    while (!setLock(f, F_WRLCK, F_SETLKW))
      if (errno != EINTR) throw SystemException("fileLock", errno);
    return true;
  }
  if (setLock(f, F_WRLCK, F_SETLK)) return true;
  if (errno == EAGAIN || errno == EACCES) return false;
  throw SystemException("fileLock", errno);
}

void fileUnlock(FILE* f) {
  if (!setLock(f, F_UNLCK, F_SETLK)) throw SystemException("fileUnlock", errno);
}

}  // namespace plat
