#include "lib1/rdr/FdInStream.h"

#include <unistd.h>

#include <cerrno>

#include "lib1/plat/Exception.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FdWait.h"

namespace rdr {

FdInStream::FdInStream(int descriptor, int waitMs, int bufferSize, bool closeAtEnd, bool noWait)
    : BufferedInStream(bufferSize),
      fd(descriptor),
      closeWhenDone(closeAtEnd),
      nonBlocking(noWait),
      timeoutms(waitMs) {}

FdInStream::~FdInStream() {
  if (closeWhenDone && fd >= 0) close(fd);
}

int FdInStream::read(void* buf, int len) {
  if (timedOut) throw plat::TimedOut();
  for (;;) {
    ssize_t n = ::read(fd, buf, size_t(len));
    if (n > 0) return int(n);
    if (n == 0) throw EndOfStream();
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) throw plat::SystemException("read", errno);
    if (nonBlocking) return 0;
    waitForFd(fd, false, timeoutms);
  }
}

}  // namespace rdr
