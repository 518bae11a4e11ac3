#include "lib1/os/unix/SocketUtil.h"

#include <sys/resource.h>
#include <sys/socket.h>

#include <cerrno>
#include <csignal>

#include "lib1/plat/Exception.h"
#include "lib1/plat/FdSet.h"
#include "lib1/plat/Log.h"

namespace os {

PLAT_LOG_WRITER(vlog, "SocketUtil");

namespace {

bool socketsInitialised = false;
bool limitSaved = false;
rlimit savedLimit;

[[noreturn]] void fail(const char* what) { throw plat::SystemException(what, errno); }

void logFailure(const char* what) { vlog().error("%s", plat::SystemException(what, errno).str()); }

}  // namespace

void socketPair(int fds[2]) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) < 0) fail("socketpair");
}

int socketCreate(int family, int type, int protocol) {
  systemInitSockets();
  return socket(family, type | SOCK_CLOEXEC, protocol);
}

int socketAccept(int fd) {
  for (;;) {
    int s = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (s >= 0) return s;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == ECONNABORTED) return -1;
    fail("accept");
  }
}

void socketSetRcvBuf(int fd, int size) {
  int cur = 0;
  socklen_t len = sizeof cur;
  if (getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &cur, &len) < 0) fail("getsockopt(SO_RCVBUF)");
  while (size > cur && cur > 0) {
    if (setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size) == 0) {
      len = sizeof cur;
      if (getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &cur, &len) < 0) fail("getsockopt(SO_RCVBUF)");
      break;
    }
    if (errno != ENOBUFS && errno != ENOMEM) fail("setsockopt(SO_RCVBUF)");
    size /= 2;
  }
  vlog().debug("Using receive buffer size of %d KiB", cur / 1024);
}

void systemInitSockets() {
  if (socketsInitialised) return;
  socketsInitialised = true;

  // Writing to a closed socket or pipe then fails with EPIPE instead of
  // ending the process. A handler of the application's own stays.
  struct sigaction old;
  if (sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_DFL &&
      !(old.sa_flags & SA_SIGINFO)) {
    struct sigaction ign = {};
    ign.sa_handler = SIG_IGN;
    sigemptyset(&ign.sa_mask);
    sigaction(SIGPIPE, &ign, nullptr);
  }

  if (getrlimit(RLIMIT_NOFILE, &savedLimit) < 0) {
    logFailure("getrlimit(RLIMIT_NOFILE)");
    return;
  }
  limitSaved = true;
  // The select() loop cannot wait for descriptors beyond its sets.
  if (savedLimit.rlim_cur > rlim_t(plat::FdSet::kMaxFds)) {
    rlimit lowered = savedLimit;
    lowered.rlim_cur = plat::FdSet::kMaxFds;
    if (setrlimit(RLIMIT_NOFILE, &lowered) < 0) logFailure("setrlimit(RLIMIT_NOFILE)");
  }
}

void systemUninitSockets(bool restoreLimit) {
  signal(SIGPIPE, SIG_DFL);
  if (limitSaved && restoreLimit) {
    rlimit cur;
    if (getrlimit(RLIMIT_NOFILE, &cur) == 0) {
      cur.rlim_cur = savedLimit.rlim_cur;
      setrlimit(RLIMIT_NOFILE, &cur);
    }
  }
}

}  // namespace os
