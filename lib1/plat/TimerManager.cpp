#include "lib1/plat/TimerManager.h"

#include <climits>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/Time.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "TimerManager");

namespace {

// The current manager, the thread instance; assertion texts call it so.
TimerManager* thrInst = nullptr;

// Beyond this distance past the first expiry a replacement clock's reading is
// no longer sensible for the pending timers.
constexpr long long kJumpThreshold = 2400000000LL;

long long periodUnits(int ms) { return ms * kUnitsPerMs; }

}  // namespace

TimerManager::TimerManager(bool nested) : previous_(thrInst) {
  PLAT_ASSERT(nested || !thrInst);
  thrInst = this;
}

TimerManager::~TimerManager() {
  while (!pending_.empty()) stop(pending_.front());
  while (!firing_.empty()) stop(firing_.front());
  PLAT_ASSERT(thrInst == this);
  thrInst = previous_;
}

TimerManager* TimerManager::threadInstance() {
  PLAT_ASSERT(thrInst);
  return thrInst;
}

TimerManager* TimerManager::threadInstanceOrNull() { return thrInst; }

void TimerManager::start(Timer* timer, int ms) {
  if (timer->manager_) timer->manager_->stop(timer);
  long long now;
  checkCurrentTime(&now);
  timer->period_ = ms;
  timer->expiry_ = now + periodUnits(ms);
  schedule(timer);
}

void TimerManager::stop(Timer* timer) {
  pending_.remove(timer);
  firing_.remove(timer);
  timer->manager_ = nullptr;
}

void TimerManager::schedule(Timer* timer) {
  timer->manager_ = this;
  auto it = pending_.begin();
  while (it != pending_.end() && (*it)->expiry_ <= timer->expiry_) ++it;
  pending_.insert(it, timer);
}

bool TimerManager::checkCurrentTime(long long* now) {
  long long threshold = pending_.empty() ? -1 : pending_.front()->expiry_ + kJumpThreshold;
  bool jumped = false;
  *now = getMonotonicTime(threshold, &jumped);
  if (!jumped) return true;
  // A reading at or past the threshold lies beyond every pending timer's
  // sensible range: the clock went forwards. One below it went backwards.
  vlog().info(*now >= threshold ? "Time has jumped forwards - restarting timers"
                                : "Time has moved backwards - restarting timers");
  std::list<Timer*> old;
  old.swap(pending_);
  for (Timer* t : old) {
    t->expiry_ = *now + periodUnits(t->period_);
    schedule(t);
  }
  for (Timer* t : firing_) t->expiry_ = *now;
  return false;
}

int TimerManager::getNextTimeout(long long* now) {
  if (pending_.empty()) return -1;
  long long t;
  checkCurrentTime(&t);
  if (now) *now = t;
  long long ms = (pending_.front()->expiry_ + (kUnitsPerMs - 1) - t) / kUnitsPerMs;
  if (ms < 0) return 0;
  return ms > INT_MAX ? INT_MAX : int(ms);
}

int TimerManager::checkTimeouts() {
  long long now;
  int r = getNextTimeout(&now);
  if (r != 0) return r;
  // Timers left in firing by an interrupted pass (a callback that ran this
  // manager's pass again from inside) are still due: keep them first.
  pending_.splice(pending_.begin(), firing_);
  while (!pending_.empty() && pending_.front()->expiry_ <= now)
    firing_.splice(firing_.end(), pending_, pending_.begin());
  while (!firing_.empty()) {
    Timer* t = firing_.front();
    firing_.pop_front();
    t->manager_ = nullptr;
    bool again;
    try {
      again = t->callback_->handleTimeout(t);
    } catch (...) {
      // Left in firing, the other due timers would sit in no list with their
      // manager set and never run again.
      pending_.splice(pending_.begin(), firing_);
      throw;
    }
    // The result comes first: a callback that returns false may have
    // destroyed the timer's owner.
    if (!again || t->manager_) continue;
    long long step = periodUnits(t->period_);
    if (checkCurrentTime(&now)) {
      t->expiry_ += step;
      if (t->expiry_ <= now) t->expiry_ = now + step;
    } else {
      t->expiry_ = now + step;
    }
    schedule(t);
  }
  return 0;
}

}  // namespace plat
