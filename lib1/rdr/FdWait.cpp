#include "lib1/rdr/FdWait.h"

#include <sys/time.h>

#include <cerrno>

#include "lib1/plat/Exception.h"
#include "lib1/plat/FdSet.h"
#include "lib1/plat/Time.h"

namespace rdr {

void waitForFd(int fd, bool forWrite, int timeoutms) {
  if (fd < 0 || fd >= plat::FdSet::kMaxFds) throw plat::SystemException("select", EMFILE);
  int remaining = timeoutms;
  for (;;) {
    plat::FdSet set;
    set.add(fd);
    long long started = plat::getMonotonicTime(-1, nullptr);
    timeval limit;
    limit.tv_sec = remaining / 1000;
    limit.tv_usec = (remaining % 1000) * 1000;
    int r = plat::FdSet::select(fd + 1, forWrite ? nullptr : &set, forWrite ? &set : nullptr,
                                nullptr, remaining < 0 ? nullptr : &limit);
    if (r > 0) return;
    if (r == 0) throw plat::TimedOut();
    if (errno != EINTR) throw plat::SystemException("select", errno);
    if (remaining >= 0) {
      // An interrupted wait keeps only what is left of its limit.
      long long elapsed = (plat::getMonotonicTime(-1, nullptr) - started) / 10000;
      if (elapsed < 0) elapsed = 0;
      if (elapsed > remaining) elapsed = remaining;
      remaining -= int(elapsed);
    }
  }
}

}  // namespace rdr
