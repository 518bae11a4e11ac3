// Time that moves only when a test says so: while a DrivenClock lives, the
// monotonic clock reads its time and its own timer manager is the current
// one, and advance() runs every timer that falls due on the way, in order.
#pragma once

#include "lib1/plat/TimerManager.h"

namespace gwtest {

class DrivenClock {
 public:
  DrivenClock();
  ~DrivenClock();
  DrivenClock(const DrivenClock&) = delete;
  DrivenClock& operator=(const DrivenClock&) = delete;

  // Moves time on by ms, stopping at each due time to run the timers then.
  void advance(int ms);
  long long nowMs() const;

 private:
  plat::TimerManager manager_{true};
};

}  // namespace gwtest
