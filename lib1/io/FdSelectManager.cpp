#include "lib1/io/FdSelectManager.h"

#include <cerrno>
#include <climits>

#include "lib1/plat/Exception.h"

namespace io {

FdSelectManager::FdSelectManager(bool nested) : FdManager(nested) {}

FdSelectManager::~FdSelectManager() = default;

namespace {

void addAll(const std::set<FdHandler*>& interest, plat::FdSet* set, int* maxFd) {
  for (FdHandler* h : interest)
    if (set->add(h->fd) && h->fd + 1 > *maxFd) *maxFd = h->fd + 1;
}

}  // namespace

bool FdSelectManager::selectHandler_(FdHandler* handler, bool read, bool write, bool except,
                                     bool read2, bool addrChange) {
  auto set = [handler](HandlerSet& s, bool on) {
    if (on)
      s.insert(handler);
    else
      s.erase(handler);
  };
  set(readInterest_, read || read2);
  set(writeInterest_, write);
  set(exceptInterest_, except);
  return !addrChange;
}

bool FdSelectManager::preSelect(int* maxFd, plat::FdSet* read, plat::FdSet* write,
                                plat::FdSet* except, int* timeoutMs) {
  addAll(readInterest_, read, maxFd);
  addAll(writeInterest_, write, maxFd);
  addAll(exceptInterest_, except, maxFd);
  int n = timerManager()->getNextTimeout(nullptr);
  if (n >= 0 && (*timeoutMs < 0 || *timeoutMs > n)) *timeoutMs = n;
  return n >= 0 && *timeoutMs == n;
}

void FdSelectManager::postSelect(bool anyReady, plat::FdSet* read, plat::FdSet* write,
                                 plat::FdSet* except) {
  if (anyReady) {
    for (FdHandler* h : registered_) {
      if (read->contains(h->fd) || except->contains(h->fd)) readyRead_.insert(h);
      if (write->contains(h->fd)) readyWrite_.insert(h);
    }
  }
  callHandlers();
}

bool FdSelectManager::doEvents(int timeoutMs) {
  plat::FdSet read, write, except;
  int maxFd = 0;
  int t = timeoutMs;
  bool timerLimited = preSelect(&maxFd, &read, &write, &except, &t);

  timeval tv;
  timeval* limit = nullptr;
  if (t >= 0) {
    // One millisecond more makes sure a timer is due when the wait ends. At
    // the top of the int range that millisecond must not overflow.
    if (t > 0) t = (t > INT_MAX - 1 ? INT_MAX - 1 : t) + 1;
    tv.tv_sec = t / 1000;
    tv.tv_usec = (t % 1000) * 1000;
    limit = &tv;
  }

  int r = plat::FdSet::select(maxFd, &read, &write, &except, limit);
  if (r < 0) {
    int err = errno;
    if (err != EINTR) throw plat::SystemException("select", err);
    read.clear();
    write.clear();
    except.clear();
  }
  postSelect(r > 0, &read, &write, &except);
  return timerLimited || r != 0;
}

}  // namespace io
