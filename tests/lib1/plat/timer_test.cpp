#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "lib1/plat/Log.h"
#include "lib1/plat/Time.h"
#include "lib1/plat/TimerManager.h"

using namespace plat;

namespace {

// Time is driven by the tests through the replaceable clock.
long long fakeNow = 0;
bool fakeJump = false;
long long lastThreshold = 0;
int clockReads = 0;

long long fakeClock(long long threshold, bool* jumped) {
  clockReads++;
  lastThreshold = threshold;
  if (fakeJump && jumped) {
    *jumped = true;
    fakeJump = false;
  }
  return fakeNow;
}

void advanceMs(long long ms) { fakeNow += ms * kUnitsPerMs; }

class LogCapture : public Logger {
 public:
  LogCapture() : Logger("capture") {}
  void write(int, const char*, const char* text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

// A timer owner whose behaviour each test scripts.
struct Probe : Timer::Callback {
  explicit Probe(std::string n, std::vector<std::string>* log) : name(std::move(n)), log(log) {}
  bool handleTimeout(Timer* t) override {
    EXPECT_EQ(t, &timer);
    EXPECT_FALSE(timer.isStarted());  // counts as stopped during its call
    log->push_back(name);
    calls++;
    return action ? action() : false;
  }
  std::string name;
  std::vector<std::string>* log;
  std::function<bool()> action;
  int calls = 0;
  Timer timer{this};
};

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fakeNow = 1000 * kUnitsPerMs;
    fakeJump = false;
    getMonotonicTimeFn = fakeClock;
  }
  void TearDown() override { getMonotonicTimeFn = nullptr; }

  std::vector<std::string> order;
};

}  // namespace

TEST_F(TimerTest, ZeroDelayIsDueAtOnce) {
  TimerManager tm(false);
  Probe a("a", &order);
  a.timer.start(0);
  EXPECT_TRUE(a.timer.isStarted());
  EXPECT_EQ(a.timer.getTimeoutMs(), 0);
  EXPECT_EQ(tm.getNextTimeout(nullptr), 0);
  EXPECT_EQ(tm.checkTimeouts(), 0);
  EXPECT_EQ(a.calls, 1);
  EXPECT_FALSE(a.timer.isStarted());
}

TEST_F(TimerTest, NothingPendingReadsNoClockAndCallsNothing) {
  TimerManager tm(false);
  clockReads = 0;
  long long now = 77;
  EXPECT_EQ(tm.getNextTimeout(&now), -1);
  EXPECT_EQ(now, 77);
  EXPECT_EQ(tm.checkTimeouts(), -1);
  EXPECT_EQ(clockReads, 0);
}

TEST_F(TimerTest, EqualExpiriesRunInStartOrderEarlierExpiryFirst) {
  TimerManager tm(false);
  Probe a("a", &order), b("b", &order), c("c", &order), d("d", &order);
  a.timer.start(100);
  b.timer.start(100);
  c.timer.start(100);
  d.timer.start(50);
  // Restarting moves a timer behind the others of its expiry.
  a.timer.start(100);
  advanceMs(100);
  EXPECT_EQ(tm.checkTimeouts(), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"d", "b", "c", "a"}));
}

TEST_F(TimerTest, NextTimeoutRoundsUpToWholeMilliseconds) {
  TimerManager tm(false);
  Probe a("a", &order);
  a.timer.start(10);
  EXPECT_EQ(tm.getNextTimeout(nullptr), 10);
  fakeNow += 10 * kUnitsPerMs - 1;  // one unit before the expiry
  long long now = 0;
  EXPECT_EQ(tm.getNextTimeout(&now), 1);
  EXPECT_EQ(now, fakeNow);
  EXPECT_EQ(a.timer.getTimeRemaining(), 1);
  EXPECT_EQ(tm.checkTimeouts(), 1);  // not due: nothing runs
  EXPECT_EQ(a.calls, 0);
  fakeNow += 1;
  EXPECT_EQ(tm.getNextTimeout(nullptr), 0);
  fakeNow += 5 * kUnitsPerMs;  // overdue
  EXPECT_EQ(tm.getNextTimeout(nullptr), 0);
  EXPECT_EQ(a.timer.getTimeRemaining(), -5 * kUnitsPerMs);
}

TEST_F(TimerTest, FarTimeoutsStayInTheIntRange) {
  TimerManager tm(false);
  Probe a("a", &order);
  a.timer.start(2147483647);
  EXPECT_EQ(tm.getNextTimeout(nullptr), 2147483647);
  fakeNow -= 10 * kUnitsPerMs;  // further away than an int of milliseconds
  EXPECT_EQ(tm.getNextTimeout(nullptr), 2147483647);
}

TEST_F(TimerTest, RepeatingTimerSkipsMissedPeriodsButKeepsItsPhase) {
  TimerManager tm(false);
  Probe a("a", &order);
  a.action = [] { return true; };
  a.timer.start(100);
  advanceMs(150);  // served 50 ms late
  tm.checkTimeouts();
  EXPECT_EQ(a.calls, 1);
  EXPECT_TRUE(a.timer.isStarted());
  EXPECT_EQ(a.timer.getTimeRemaining(), 50 * kUnitsPerMs);  // previous expiry + 100 ms
  advanceMs(50 + 350);                                      // the loop was blocked
  tm.checkTimeouts();
  EXPECT_EQ(a.calls, 2);  // once, not a burst
  EXPECT_EQ(a.timer.getTimeRemaining(), 100 * kUnitsPerMs);
  EXPECT_EQ(tm.checkTimeouts(), 100);
  EXPECT_EQ(a.calls, 2);
}

TEST_F(TimerTest, CallbackThatRestartsItsTimerDecidesTheExpiry) {
  TimerManager tm(false);
  Probe a("a", &order);
  a.action = [&] {
    a.timer.start(500);
    return true;
  };
  a.timer.start(100);
  advanceMs(100);
  tm.checkTimeouts();
  EXPECT_EQ(a.timer.getTimeRemaining(), 500 * kUnitsPerMs);
  EXPECT_EQ(a.timer.getTimeoutMs(), 500);
}

TEST_F(TimerTest, CallbacksMayStartAndStopOtherDueTimers) {
  TimerManager tm(false);
  Probe a("a", &order), b("b", &order), c("c", &order);
  a.action = [&] {
    b.timer.stop();    // due in this pass: must not run
    c.timer.start(0);  // was due: moves to a later pass
    return false;
  };
  a.timer.start(10);
  b.timer.start(10);
  c.timer.start(10);
  advanceMs(10);
  tm.checkTimeouts();
  EXPECT_EQ(order, std::vector<std::string>{"a"});
  EXPECT_FALSE(b.timer.isStarted());
  EXPECT_TRUE(c.timer.isStarted());
  tm.checkTimeouts();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(b.calls, 0);
}

TEST_F(TimerTest, CallbackMayDestroyTheOwnerOfItsOwnOrAnotherDueTimer) {
  TimerManager tm(false);
  auto* self = new Probe("self", &order);
  auto* victim = new Probe("victim", &order);
  Probe killer("killer", &order);
  // Returning false after deleting its owner: the manager must not touch
  // the timer again (the address sanitizer build catches it if it does).
  self->action = [&] {
    delete self;
    return false;
  };
  killer.action = [&] {
    delete victim;
    return true;
  };
  killer.timer.start(5);
  self->timer.start(5);
  victim->timer.start(5);
  advanceMs(5);
  EXPECT_EQ(tm.checkTimeouts(), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"killer", "self"}));
  EXPECT_TRUE(killer.timer.isStarted());
}

TEST_F(TimerTest, ThrowingCallbackLeavesTheOtherDueTimersDue) {
  TimerManager tm(false);
  Probe a("a", &order), b("b", &order), c("c", &order), later("later", &order);
  b.action = []() -> bool { throw std::runtime_error("boom"); };
  a.timer.start(10);
  b.timer.start(10);
  c.timer.start(10);
  later.timer.start(20);
  advanceMs(10);
  EXPECT_THROW(tm.checkTimeouts(), std::runtime_error);
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(b.timer.isStarted());  // the thrower is stopped
  EXPECT_TRUE(c.timer.isStarted());   // still due, not lost
  EXPECT_EQ(tm.getNextTimeout(nullptr), 0);
  tm.checkTimeouts();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c"}));
  advanceMs(10);
  tm.checkTimeouts();
  EXPECT_EQ(later.calls, 1);
}

TEST_F(TimerTest, PassRunFromInsideACallbackLosesNoTimer) {
  TimerManager tm(false);
  Probe a("a", &order), b("b", &order), c("c", &order), d("d", &order);
  a.action = [&] {
    d.timer.start(0);
    tm.checkTimeouts();  // b and c are still waiting in the outer pass
    return false;
  };
  a.timer.start(1);
  b.timer.start(1);
  c.timer.start(1);
  advanceMs(1);
  tm.checkTimeouts();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(tm.getNextTimeout(nullptr), -1);
}

TEST_F(TimerTest, ReportedClockJumpRestartsTimersByTheirPeriod) {
  LogCapture cap;
  LogWriter* w = LogWriter::getLogWriter("TimerManager");
  ASSERT_NE(w, nullptr);
  w->setLoggerAndLevel(&cap, 30);
  TimerManager tm(false);
  Probe a("a", &order), b("b", &order);
  a.timer.start(100);
  b.timer.start(30);
  EXPECT_EQ(tm.getNextTimeout(nullptr), 30);
  EXPECT_EQ(lastThreshold, fakeNow + 30 * kUnitsPerMs + 2400000000LL);

  // The clock goes back a long way: without a restart the timers would wait
  // for an hour. The text follows the reading's place against the threshold
  // the manager passed: below it reads "jumped forwards".
  fakeNow -= 3600 * 1000 * kUnitsPerMs;
  fakeJump = true;
  EXPECT_EQ(tm.getNextTimeout(nullptr), 30);
  EXPECT_EQ(a.timer.getTimeRemaining(), 100 * kUnitsPerMs);
  ASSERT_EQ(cap.lines.size(), 1u);
  EXPECT_EQ(cap.lines[0], "Time has jumped forwards - restarting timers");

  fakeNow += 7200LL * 1000 * kUnitsPerMs;  // at or beyond it: "moved backwards"
  fakeJump = true;
  EXPECT_EQ(tm.getNextTimeout(nullptr), 30);
  ASSERT_EQ(cap.lines.size(), 2u);
  EXPECT_EQ(cap.lines[1], "Time has moved backwards - restarting timers");
  EXPECT_EQ(order.size(), 0u);
  w->setLoggerAndLevel(nullptr, 0);
}

TEST_F(TimerTest, JumpDuringAPassMakesTheRestDueNowAndRearmsFromNow) {
  TimerManager tm(false);
  Probe a("a", &order), b("b", &order), c("c", &order);
  a.action = [&] {
    fakeNow += 10000 * kUnitsPerMs;
    fakeJump = true;
    return true;
  };
  a.timer.start(10);
  b.timer.start(10);
  c.timer.start(50);
  advanceMs(10);
  tm.checkTimeouts();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(a.timer.getTimeRemaining(), 10 * kUnitsPerMs);
  EXPECT_EQ(c.timer.getTimeRemaining(), 50 * kUnitsPerMs);
}

TEST_F(TimerTest, NestedManagerRunsOnlyItsOwnTimers) {
  TimerManager outer(false);
  Probe a("a", &order), b("b", &order), c("c", &order);
  a.timer.start(0);
  {
    TimerManager nested(true);
    EXPECT_EQ(TimerManager::threadInstance(), &nested);
    b.timer.start(0);
    nested.checkTimeouts();
    EXPECT_EQ(order, std::vector<std::string>{"b"});
    c.timer.start(5);  // still pending when the nested loop ends: stopped
  }
  EXPECT_EQ(TimerManager::threadInstance(), &outer);
  EXPECT_FALSE(c.timer.isStarted());
  EXPECT_TRUE(a.timer.isStarted());
  outer.checkTimeouts();
  EXPECT_EQ(order, (std::vector<std::string>{"b", "a"}));
}

TEST_F(TimerTest, RunningTimerKeepsItsManagerAcrossANestedLoop) {
  TimerManager outer(false);
  Probe a("a", &order), b("b", &order);
  a.action = [&] {
    TimerManager nested(true);
    b.timer.start(0);  // joins the nested manager
    EXPECT_EQ(nested.checkTimeouts(), 0);
    return true;  // the re-arm goes back to the outer one
  };
  a.timer.start(10);
  advanceMs(10);
  outer.checkTimeouts();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(a.timer.isStarted());
  advanceMs(10);
  outer.checkTimeouts();
  EXPECT_EQ(a.calls, 2);
}

TEST_F(TimerTest, DestroyingAManagerStopsItsTimers) {
  Probe a("a", &order);
  {
    TimerManager tm(false);
    a.timer.start(10);
  }
  EXPECT_FALSE(a.timer.isStarted());
  EXPECT_EQ(TimerManager::threadInstanceOrNull(), nullptr);
  a.timer.stop();  // stopping a stopped timer is harmless
}

using TimerDeathTest = TimerTest;

TEST_F(TimerDeathTest, MisuseOfTheManagerStackIsFatal) {
  EXPECT_DEATH(
      {
        TimerManager a(false);
        TimerManager b(false);
      },
      "Assertion 'nested \\|\\| !thrInst' failed");
  EXPECT_DEATH(
      {
        auto* a = new TimerManager(false);
        TimerManager b(true);
        delete a;
      },
      "Assertion 'thrInst == this' failed");
  EXPECT_DEATH(
      {
        Probe p("p", &order);
        p.timer.start(1);
      },
      "Assertion 'thrInst' failed");
  EXPECT_DEATH(TimerManager::threadInstance(), "Assertion 'thrInst' failed");
}
