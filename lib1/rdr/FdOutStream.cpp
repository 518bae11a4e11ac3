#include "lib1/rdr/FdOutStream.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib1/rdr/FdWait.h"

namespace rdr {

PLAT_LOG_WRITER(vlog, "FdOutStream");

FdOutStream::FdOutStream(int descriptor, int waitMs, int maxBufferSize, bool closeAtEnd)
    : BufferedOutStream(DEFAULT_BUF_SIZE, maxBufferSize),
      fd(descriptor),
      closeWhenDone(closeAtEnd),
      timeoutms(waitMs) {}

FdOutStream::~FdOutStream() {
  callback = nullptr;
  try {
    flush(false);
  } catch (plat::Exception&) {
  }
  if (closeWhenDone && fd >= 0) close(fd);
}

int FdOutStream::fdWrite(const void* data, int length) {
  return int(::write(fd, data, size_t(length)));
}

int FdOutStream::write(const void* data, int length, bool wait) {
  int n;
  for (;;) {
    n = fdWrite(data, length);
    if (n >= 0) break;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!wait) {
        n = 0;
        break;
      }
      waitForFd(fd, true, timeoutms);
      continue;
    }
    plat::SystemException e("write", errno);
    if (throwOnError || wait) throw e;
    vlog().debug("%s", e.str());
    return 0;
  }
  if (callback) callback->fdWritten(this, n == 0);
  return n;
}

bool FdOutStream::shutdown() {
  if (unflushedBytes() == 0 && ::shutdown(fd, SHUT_WR) < 0)
    throw plat::SystemException("shutdown(SHUT_WR)", errno);
  if (callback) callback->fdShutdown(this);
  return true;
}

}  // namespace rdr
