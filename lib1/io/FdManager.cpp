#include "lib1/io/FdManager.h"

#include <unistd.h>

namespace io {

FdManager* FdManager::current_ = nullptr;

FdManager::FdManager(bool nested) : timers_(nested), wakeUpTimer(this), previous_(current_) {
  current_ = this;
}

FdManager::~FdManager() {
  // Each handler is taken out before its call: one that deletes another in
  // fdMgrGone has unregistered it by then, so no dead handler is called. A
  // handler that registers itself again is not told twice.
  HandlerSet told;
  while (!registered_.empty()) {
    FdHandler* h = *registered_.begin();
    registered_.erase(registered_.begin());
    if (told.insert(h).second) h->fdMgrGone();
  }
  current_ = previous_;
  wakeUpTimer.stop();
}

FdManager* FdManager::threadInstance() { return current_; }

void FdManager::registerHandler(FdHandler* handler, bool add) {
  if (add) {
    registered_.insert(handler);
    return;
  }
  registered_.erase(handler);
  readyRead_.erase(handler);
  readyWrite_.erase(handler);
  readyAddr_.erase(handler);
  dispatchRead_.erase(handler);
  dispatchWrite_.erase(handler);
  dispatchAddr_.erase(handler);
  // Left in the interest sets, a handler that is gone would still be
  // waited for: a dead one read at the next wait, a live one making every
  // wait return at once.
  selectHandler_(handler, false, false, false, false, false);
}

bool FdManager::selectHandler(FdHandler* handler, bool read, bool write, bool except, bool read2,
                              bool addrChange) {
  if (!read && !except && !read2) {
    readyRead_.erase(handler);
    dispatchRead_.erase(handler);
  }
  if (!write) {
    readyWrite_.erase(handler);
    dispatchWrite_.erase(handler);
  }
  if (!addrChange) {
    readyAddr_.erase(handler);
    dispatchAddr_.erase(handler);
  }
  return selectHandler_(handler, read, write, except, read2, addrChange);
}

bool FdManager::selectHandler_(FdHandler*, bool, bool, bool, bool, bool addrChange) {
  return !addrChange;
}

void FdManager::unselectFd_(int) {}

void FdManager::markReady(FdHandler* handler, bool read, bool write) {
  if (!registered_.count(handler)) return;
  if (read) readyRead_.insert(handler);
  if (write) readyWrite_.insert(handler);
}

void FdManager::unmarkWritable(FdHandler* handler) {
  readyWrite_.erase(handler);
  dispatchWrite_.erase(handler);
}

void FdManager::dispatch(HandlerSet& ready, HandlerSet& running, void (FdHandler::*call)()) {
  // Leftovers of a dispatch that an exception cut short are dropped: the
  // ready set alone says who is due.
  running.clear();
  running.swap(ready);
  while (!running.empty()) {
    FdHandler* h = *running.begin();
    running.erase(running.begin());
    (h->*call)();
  }
}

void FdManager::callHandlers() {
  timers_.checkTimeouts();
  dispatch(readyAddr_, dispatchAddr_, &FdHandler::fdAddrChanged);
  dispatch(readyRead_, dispatchRead_, &FdHandler::fdReadable);
  dispatch(readyWrite_, dispatchWrite_, &FdHandler::fdWritable);
}

void FdManager::closeFds(int keepFd) {
  // The descriptor utilities live in a later library; a plain close() is
  // all they would do here.
  for (FdHandler* h : registered_)
    if (h->fd >= 0 && h->fd != keepFd) ::close(h->fd);
}

bool FdManager::handleTimeout(plat::Timer*) { return false; }

}  // namespace io
