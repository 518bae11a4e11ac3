// The descriptor manager: which handlers are registered, what each wants,
// and which are ready. It owns the loop's timer manager, so timers and
// descriptors are served by one loop. Managers form a stack like timer
// managers: a new one becomes current until it is destroyed.
#pragma once

#include <set>

#include "lib1/io/FdHandler.h"
#include "lib1/plat/Timer.h"
#include "lib1/plat/TimerManager.h"

namespace io {

class FdManager : private plat::Timer::Callback {
 public:
  // Builds its timer manager with the same nested flag.
  explicit FdManager(bool nested);
  ~FdManager() override;
  FdManager(const FdManager&) = delete;
  FdManager& operator=(const FdManager&) = delete;

  // The current manager, or null.
  static FdManager* threadInstance();

  // add true registers (again: no change); add false forgets the handler
  // entirely: registration, interests and readiness.
  void registerHandler(FdHandler* handler, bool add);
  // Interests: read, write, exceptional condition (reported as readable), a
  // second read-like interest, address-change notification. Readiness that
  // is no longer wanted is withdrawn. False when an interest cannot be
  // served.
  bool selectHandler(FdHandler* handler, bool read, bool write, bool except, bool read2,
                     bool addrChange);
  // Marks a registered handler ready, to be called in the next dispatch (or
  // in the running one, when its kind has not come yet).
  void markReady(FdHandler* handler, bool read, bool write);
  // Withdraws a pending write readiness, also from the running dispatch.
  void unmarkWritable(FdHandler* handler);

  // One dispatch: the due timers, then address changes, readable, writable.
  void callHandlers();
  // Closes the descriptor of every registered handler except keepFd.
  void closeFds(int keepFd);

  plat::TimerManager* timerManager() { return &timers_; }

 private:
  // Built before and destroyed after every timer of the manager.
  plat::TimerManager timers_;

 public:
  // Starting it with 0 ms makes the next wait end at once; it does nothing
  // when it fires.
  plat::Timer wakeUpTimer;

 protected:
  virtual bool selectHandler_(FdHandler* handler, bool read, bool write, bool except, bool read2,
                              bool addrChange);
  virtual void unselectFd_(int fd);

  using HandlerSet = std::set<FdHandler*>;

  // Called at most once per handler and kind; each is taken out of the
  // dispatch set just before its call, so callbacks may change the sets.
  void dispatch(HandlerSet& ready, HandlerSet& running, void (FdHandler::*call)());

  HandlerSet registered_;
  HandlerSet readyRead_, readyWrite_, readyAddr_;
  HandlerSet dispatchRead_, dispatchWrite_, dispatchAddr_;

 private:
  bool handleTimeout(plat::Timer* timer) override;

  FdManager* previous_;

  static FdManager* current_;
};

}  // namespace io
