#include "lib1/os/unix/FdUtil.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "lib1/plat/Exception.h"

namespace os {

namespace {

// One-step close-on-exec duplication, until the system says it lacks it.
bool tryOneStep = true;

[[noreturn]] void fail(const char* what) { throw plat::SystemException(what, errno); }

}  // namespace

void fdSetInheritable(int fd, bool inheritable, bool closeOnFailure) {
  if (!fdSetInheritableNoThrow(fd, inheritable, closeOnFailure)) fail("setInheritable");
}

bool fdGetInheritable(int fd) {
  int flags = fcntl(fd, F_GETFD);
  if (flags < 0) fail("getInheritable");
  return !(flags & FD_CLOEXEC);
}

void fdSetBlocking(int fd, bool blocking) {
  int flags = fcntl(fd, F_GETFL);
  if (flags < 0) fail("setBlocking");
  int wanted = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
  if (wanted != flags && fcntl(fd, F_SETFL, wanted) < 0) fail("setBlocking");
}

int fdDup(int fd) {
  if (tryOneStep) {
    int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy >= 0) return copy;
    if (errno == EBADF) {
      copy = ::dup(fd);
      if (copy >= 0) {
        fdSetInheritable(copy, false, true);
        tryOneStep = false;
        return copy;
      }
    }
    if (errno != EINVAL) fail("fcntl(F_DUPFD_CLOEXEC)");
    tryOneStep = false;
  }
  int copy = ::dup(fd);
  if (copy < 0) fail("dup");
  fdSetInheritable(copy, false, true);
  return copy;
}

bool fdDup2NoThrow(int oldFd, int newFd) {
  if (oldFd == newFd) {
    errno = EINVAL;
    return false;
  }
  if (tryOneStep) {
    if (dup3(oldFd, newFd, O_CLOEXEC) >= 0) return true;
    if (errno != EINVAL) return false;
    tryOneStep = false;
  }
  if (::dup2(oldFd, newFd) < 0) return false;
  return fdSetInheritableNoThrow(newFd, false, true);
}

void fdDup2(int oldFd, int newFd) {
  if (!fdDup2NoThrow(oldFd, newFd)) fail("dup2");
}

void pipeCreate(int fds[2]) {
  // Close-on-exec from birth: no window in which a child could inherit it.
  if (pipe2(fds, O_CLOEXEC) < 0) fail("pipe");
}

}  // namespace os
