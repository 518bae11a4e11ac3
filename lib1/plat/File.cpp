#include "lib1/plat/File.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "lib1/plat/Exception.h"

namespace plat {

int fileOpenFdNoThrow(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int fileOpenFd(const char* path, int flags, mode_t mode) {
  int fd = fileOpenFdNoThrow(path, flags, mode);
  if (fd < 0) throw SystemExceptionFmt("fileOpenFd(%s)", errno, path);
  return fd;
}

FILE* fileOpenNoThrow(const char* path, const char* mode) {
  int access;
  int flags = 0;
  char fdMode[3] = {mode[0], 0, 0};
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
      return nullptr;
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
        return nullptr;
    }
  }
  int fd = fileOpenFdNoThrow(path, access | flags, 0664);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, fdMode);
  if (!f) {
    int err = errno;
    close(fd);
    errno = err;
  }
  return f;
}

FILE* fileOpen(const char* path, const char* mode) {
  FILE* f = fileOpenNoThrow(path, mode);
  if (!f) throw SystemExceptionFmt("fileOpen(%s)", errno, path);
  return f;
}

}  // namespace plat
