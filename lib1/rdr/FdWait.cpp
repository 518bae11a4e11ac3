#include "lib1/rdr/FdWait.h"

#include <sys/time.h>

#include <cerrno>

#include "lib1/plat/Exception.h"
#include "lib1/plat/FdSet.h"
#include "lib1/plat/Time.h"

namespace rdr {

void waitForFd(int fd, bool forWrite, int timeoutms) {
  if (fd < 0 || fd >= plat::FdSet::kMaxFds) throw plat::SystemException("select", EMFILE);
  // An interrupted wait keeps only what is left of its limit, counted from
  // the start of the whole wait: taking whole milliseconds off after each
  // interruption would drop the fraction every time, and signals coming
  // faster than once a millisecond would keep the limit from ever running out.
  long long started = plat::getMonotonicTime(-1, nullptr);
  int remaining = timeoutms;
  for (;;) {
    plat::FdSet set;
    set.add(fd);
    timeval limit;
    limit.tv_sec = remaining / 1000;
    limit.tv_usec = (remaining % 1000) * 1000;
    int r = plat::FdSet::select(fd + 1, forWrite ? nullptr : &set, forWrite ? &set : nullptr,
                                nullptr, remaining < 0 ? nullptr : &limit);
    if (r > 0) return;
    if (r == 0) throw plat::TimedOut();
    if (errno != EINTR) throw plat::SystemException("select", errno);
    if (timeoutms >= 0) {
      long long elapsed = (plat::getMonotonicTime(-1, nullptr) - started) / 10000;
      if (elapsed < 0) elapsed = 0;
      if (elapsed > timeoutms) elapsed = timeoutms;
      remaining = timeoutms - int(elapsed);
    }
  }
}

}  // namespace rdr
