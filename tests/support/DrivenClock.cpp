#include "tests/support/DrivenClock.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Time.h"

namespace gwtest {

namespace {

long long drivenNow;

// Runs what is due now; a timer that keeps re-arming itself with no delay
// would hold time still for ever, so that stops the test loudly.
int runDue(plat::TimerManager* manager) {
  for (int passes = 0; passes < 10000; passes++) {
    int next = manager->checkTimeouts();
    if (next != 0) return next;
  }
  PLAT_ASSERT_MSG(false, "timers keep falling due without time passing");
  return -1;
}

long long drivenClock(long long, bool*) { return drivenNow; }

}  // namespace

DrivenClock::DrivenClock() {
  PLAT_ASSERT_MSG(!plat::getMonotonicTimeFn, "one driven clock at a time");
  drivenNow = 1000 * plat::kUnitsPerMs;
  plat::getMonotonicTimeFn = drivenClock;
}

DrivenClock::~DrivenClock() { plat::getMonotonicTimeFn = nullptr; }

void DrivenClock::advance(int ms) {
  long long end = drivenNow + ms * plat::kUnitsPerMs;
  for (;;) {
    int next = runDue(&manager_);
    if (next < 0 || drivenNow + next * plat::kUnitsPerMs > end) break;
    drivenNow += next * plat::kUnitsPerMs;
  }
  drivenNow = end;
  runDue(&manager_);
}

long long DrivenClock::nowMs() const { return drivenNow / plat::kUnitsPerMs; }

}  // namespace gwtest
