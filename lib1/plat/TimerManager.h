// The timer service. Managers form a stack: a new one becomes current and
// remembers the one before, which is current again once the new one is
// destroyed. The descriptor loop owns the main manager; a modal loop pushes a
// nested one so that only its own timers run meanwhile.
#pragma once

#include <list>

#include "lib1/plat/Timer.h"

namespace plat {

class TimerManager {
 public:
  // Without nested, another current manager is a fatal assertion.
  explicit TimerManager(bool nested);
  virtual ~TimerManager();
  TimerManager(const TimerManager&) = delete;
  TimerManager& operator=(const TimerManager&) = delete;

  // The current manager; none is a fatal assertion.
  static TimerManager* threadInstance();
  static TimerManager* threadInstanceOrNull();

  // Callers use Timer::start and Timer::stop.
  void start(Timer* timer, int ms);
  void stop(Timer* timer);

  // Runs one pass of the due timers and returns 0; when nothing is due,
  // returns what getNextTimeout returned. A callback that throws leaves
  // the other due timers still due, then the exception goes on.
  int checkTimeouts();
  // Milliseconds until the first timer is due, rounded up; 0 when due; -1
  // when nothing is pending (the clock is then not read).
  int getNextTimeout(long long* now);
  // Reads the clock; after a reported jump restarts the timers and returns
  // false.
  bool checkCurrentTime(long long* now);
  // Inserts by expiry, after the timers with the same expiry.
  void schedule(Timer* timer);

 private:
  TimerManager* previous_;
  std::list<Timer*> pending_;
  std::list<Timer*> firing_;
};

}  // namespace plat
