#include "lib1/os/SocketConnect.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

#include "lib1/os/unix/FdUtil.h"
#include "lib1/os/unix/SocketUtil.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"

namespace os {

PLAT_LOG_WRITER(vlog, "SocketUtil");

namespace {

[[noreturn]] void fail(const char* what) { throw plat::SystemException(what, errno); }

// Closes the socket unless it is handed out, keeping errno for the caller.
class SocketGuard {
 public:
  explicit SocketGuard(int fd) : fd_(fd) {}
  ~SocketGuard() {
    if (fd_ < 0) return;
    int saved = errno;
    fdClose(fd_);
    errno = saved;
  }
  SocketGuard(const SocketGuard&) = delete;
  SocketGuard& operator=(const SocketGuard&) = delete;

  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// The outcome of a blocking connect that a signal interrupted.
void awaitConnect(int fd) {
  pollfd p = {fd, POLLOUT, 0};
  while (poll(&p, 1, -1) < 0)
    if (errno != EINTR) fail("connect");
  int err = 0;
  socklen_t len = sizeof err;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) < 0) fail("connect");
  if (err == 0 || err == EISCONN) return;
  errno = err;
  fail("connect");
}

}  // namespace

int socketCreateBound(const io::IpInfo& addr, int type, bool) {
  SocketGuard s(socketCreate(addr.family(), type, 0));
  if (s.get() < 0) fail("socket");
  int one = 1;
  if (type == SOCK_STREAM && setsockopt(s.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) < 0)
    fail("setsockopt");
  if (addr.family() == AF_INET6 &&
      setsockopt(s.get(), IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one) < 0)
    vlog().debug("%s", plat::SystemException("setsockopt(IPV6_V6ONLY)", errno).str());
  if (bind(s.get(), addr.sockAddr(), addr.sockAddrLen()) < 0) fail("bind");
  return s.release();
}

int socketCreateConnected(const io::IpInfo& addr, int type, bool blocking) {
  SocketGuard s(socketCreate(addr.family(), type, 0));
  if (s.get() < 0) fail("socket");
  if (!blocking) fdSetBlocking(s.get(), false);
  socketConnect(s.get(), addr);
  return s.release();
}

void socketConnect(int fd, const io::IpInfo& addr) {
  if (connect(fd, addr.sockAddr(), addr.sockAddrLen()) == 0 || errno == EINPROGRESS) return;
  if (errno != EINTR) fail("connect");
  int flags = fcntl(fd, F_GETFL);
  if (flags >= 0 && (flags & O_NONBLOCK)) return;  // under way, as with EINPROGRESS
  awaitConnect(fd);
}

}  // namespace os
