#include "lib1/io/FdManager.h"

#include <unistd.h>

namespace io {

FdManager* FdManager::current = nullptr;

FdManager::FdManager(bool nested) : timers(nested), wakeUpTimer(this), previous(current) {
  current = this;
}

FdManager::~FdManager() {
  // Each handler is taken out before its call: one that deletes another in
  // fdMgrGone has unregistered it by then, so no dead handler is called. A
  // handler that registers itself again is not told twice.
  HandlerSet told;
  while (!registered.empty()) {
    FdHandler* h = *registered.begin();
    registered.erase(registered.begin());
    if (told.insert(h).second) h->fdMgrGone();
  }
  current = previous;
  wakeUpTimer.stop();
}

FdManager* FdManager::threadInstance() { return current; }

void FdManager::registerHandler(FdHandler* handler, bool add) {
  if (add) {
    registered.insert(handler);
    return;
  }
  registered.erase(handler);
  readyRead.erase(handler);
  readyWrite.erase(handler);
  readyAddr.erase(handler);
  dispatchRead.erase(handler);
  dispatchWrite.erase(handler);
  dispatchAddr.erase(handler);
  // Left in the interest sets, a handler that is gone would still be
  // waited for: a dead one read at the next wait, a live one making every
  // wait return at once.
  selectHandler_(handler, false, false, false, false, false);
}

bool FdManager::selectHandler(FdHandler* handler, bool read, bool write, bool except, bool read2,
                              bool addrChange) {
  if (!read && !except && !read2) {
    readyRead.erase(handler);
    dispatchRead.erase(handler);
  }
  if (!write) {
    readyWrite.erase(handler);
    dispatchWrite.erase(handler);
  }
  if (!addrChange) {
    readyAddr.erase(handler);
    dispatchAddr.erase(handler);
  }
  return selectHandler_(handler, read, write, except, read2, addrChange);
}

bool FdManager::selectHandler_(FdHandler*, bool, bool, bool, bool, bool addrChange) {
  return !addrChange;
}

void FdManager::unselectFd_(int) {}

void FdManager::markReady(FdHandler* handler, bool read, bool write) {
  if (!registered.count(handler)) return;
  if (read) readyRead.insert(handler);
  if (write) readyWrite.insert(handler);
}

void FdManager::unmarkWritable(FdHandler* handler) {
  readyWrite.erase(handler);
  dispatchWrite.erase(handler);
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
  timers.checkTimeouts();
  dispatch(readyAddr, dispatchAddr, &FdHandler::fdAddrChanged);
  dispatch(readyRead, dispatchRead, &FdHandler::fdReadable);
  dispatch(readyWrite, dispatchWrite, &FdHandler::fdWritable);
}

void FdManager::closeFds(int keepFd) {
  // The descriptor utilities live in a later library; a plain close() is
  // all they would do here.
  for (FdHandler* h : registered)
    if (h->fd >= 0 && h->fd != keepFd) ::close(h->fd);
}

bool FdManager::handleTimeout(plat::Timer*) { return false; }

}  // namespace io
