#include "lib1/plat/TimerManager.h"

#include <climits>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/Time.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "TimerManager");

TimerManager* TimerManager::thrInst = nullptr;

namespace {

// Beyond this distance past the first expiry a replacement clock's reading is
// no longer sensible for the pending timers.
constexpr long long kJumpThreshold = 2400000000LL;

long long periodUnits(int ms) { return ms * kUnitsPerMs; }

}  // namespace

TimerManager::TimerManager(bool nested) : previous(thrInst) {
  PLAT_ASSERT(nested || !thrInst);
  thrInst = this;
}

TimerManager::~TimerManager() {
  while (!pending.empty()) stop(pending.front());
  while (!firing.empty()) stop(firing.front());
  PLAT_ASSERT(thrInst == this);
  thrInst = previous;
}

TimerManager* TimerManager::threadInstance() {
  PLAT_ASSERT(thrInst);
  return thrInst;
}

TimerManager* TimerManager::threadInstanceOrNull() { return thrInst; }

void TimerManager::start(Timer* timer, int ms) {
  if (timer->manager) timer->manager->stop(timer);
  long long now;
  checkCurrentTime(&now);
  timer->period = ms;
  timer->expiry = now + periodUnits(ms);
  schedule(timer);
}

void TimerManager::stop(Timer* timer) {
  pending.remove(timer);
  firing.remove(timer);
  timer->manager = nullptr;
}

void TimerManager::schedule(Timer* timer) {
  timer->manager = this;
  auto it = pending.begin();
  while (it != pending.end() && (*it)->expiry <= timer->expiry) ++it;
  pending.insert(it, timer);
}

bool TimerManager::checkCurrentTime(long long* now) {
  long long threshold = pending.empty() ? -1 : pending.front()->expiry + kJumpThreshold;
  bool jumped = false;
  *now = getMonotonicTime(threshold, &jumped);
  if (!jumped) return true;
  // A reading at or past the threshold lies beyond every pending timer's
  // sensible range: the clock went forwards. One below it went backwards.
  vlog().info(*now >= threshold ? "Time has jumped forwards - restarting timers"
                                : "Time has moved backwards - restarting timers");
  std::list<Timer*> old;
  old.swap(pending);
  for (Timer* t : old) {
    t->expiry = *now + periodUnits(t->period);
    schedule(t);
  }
  for (Timer* t : firing) t->expiry = *now;
  return false;
}

int TimerManager::getNextTimeout(long long* now) {
  if (pending.empty()) return -1;
  long long t;
  checkCurrentTime(&t);
  if (now) *now = t;
  long long ms = (pending.front()->expiry + (kUnitsPerMs - 1) - t) / kUnitsPerMs;
  if (ms < 0) return 0;
  return ms > INT_MAX ? INT_MAX : int(ms);
}

int TimerManager::checkTimeouts() {
  long long now;
  int r = getNextTimeout(&now);
  if (r != 0) return r;
  // Timers left in firing by an interrupted pass (a callback that ran this
  // manager's pass again from inside) are still due: keep them first.
  pending.splice(pending.begin(), firing);
  while (!pending.empty() && pending.front()->expiry <= now)
    firing.splice(firing.end(), pending, pending.begin());
  while (!firing.empty()) {
    Timer* t = firing.front();
    firing.pop_front();
    t->manager = nullptr;
    bool again;
    try {
      again = t->callback->handleTimeout(t);
    } catch (...) {
      // Left in firing, the other due timers would sit in no list with their
      // manager set and never run again.
      pending.splice(pending.begin(), firing);
      throw;
    }
    // The result comes first: a callback that returns false may have
    // destroyed the timer's owner.
    if (!again || t->manager) continue;
    long long step = periodUnits(t->period);
    if (checkCurrentTime(&now)) {
      t->expiry += step;
      if (t->expiry <= now) t->expiry = now + step;
    } else {
      t->expiry = now + step;
    }
    schedule(t);
  }
  return 0;
}

}  // namespace plat
