#include "lib1/plat/Descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace plat {

int fdClose(int fd) { return ::close(fd); }

bool fdSetInheritableNoThrow(int fd, bool inheritable, bool closeOnFailure) {
  int flags = fcntl(fd, F_GETFD);
  if (flags < 0) return false;
  flags = inheritable ? flags & ~FD_CLOEXEC : flags | FD_CLOEXEC;
  if (fcntl(fd, F_SETFD, flags) == 0) return true;
  if (closeOnFailure) {
    int saved = errno;
    ::close(fd);
    errno = saved;
  }
  return false;
}

}  // namespace plat
