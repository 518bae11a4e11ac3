#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "lib1/plat/Time.h"
#include "lib1/plat/TimerManager.h"
#include "tests/support/CaptureLogger.h"

using namespace plat;
using namespace gwtest;

namespace {

// Time moves only when a test says so.
long long fakeNow, lastThreshold;
bool fakeJump;
long long fakeClock(long long threshold, bool* jumped) {
  lastThreshold = threshold;
  if (jumped && std::exchange(fakeJump, false)) *jumped = true;
  return fakeNow;
}
void advanceMs(long long ms, bool reportJump = false) {
  fakeNow += ms * kUnitsPerMs;
  fakeJump = reportJump;
}

std::string order;

struct Probe : Timer::Callback {
  explicit Probe(char n, std::function<bool()> f = nullptr) : name(n), action(std::move(f)) {}
  bool handleTimeout(Timer* t) override {
    EXPECT_FALSE(t->isStarted());  // stopped while its callback runs
    order += name;
    return action ? action() : false;
  }
  char name;
  std::function<bool()> action;
  Timer timer{this};
};

struct TimerTest : testing::Test {
  TimerTest() {
    fakeNow = 1000 * kUnitsPerMs;
    fakeJump = false;
    order.clear();
    getMonotonicTimeFn = fakeClock;
  }
  ~TimerTest() override { getMonotonicTimeFn = nullptr; }
};
using TimerDeathTest = TimerTest;
struct Managed : TimerTest {
  TimerManager tm{false};
};

}  // namespace

TEST_F(Managed, DueOrderAndRounding) {
  Probe a('a'), b('b'), c('c'), d('d'), z('z');
  for (Probe* p : {&a, &b, &c}) p->timer.start(100);
  d.timer.start(50);
  a.timer.start(100);               // restarted: behind the others of its expiry
  fakeNow += 50 * kUnitsPerMs - 1;  // one unit early still waits a whole ms
  EXPECT_EQ(tm.checkTimeouts(), 1);
  z.timer.start(0);  // due at once
  EXPECT_EQ(tm.getNextTimeout(nullptr), 0);
  advanceMs(100);
  EXPECT_EQ(tm.checkTimeouts(), 0);
  EXPECT_EQ(order, "zdbca");
}

TEST_F(Managed, RepeatingTimerKeepsItsPhaseButSkipsMissedPeriods) {
  Probe a('a', [] { return true; }), b('b', [&] {
    b.timer.start(500);  // its own start wins
    return true;
  });
  a.timer.start(100);
  b.timer.start(100);
  advanceMs(150);  // 50 ms late
  tm.checkTimeouts();
  EXPECT_EQ(a.timer.getTimeRemaining(), 50 * kUnitsPerMs);
  EXPECT_EQ(b.timer.getTimeRemaining(), 500 * kUnitsPerMs);
  advanceMs(400);  // 350 ms blocked: one call, re-armed from now
  tm.checkTimeouts();
  EXPECT_EQ(order, "aba");
  EXPECT_EQ(a.timer.getTimeRemaining(), 100 * kUnitsPerMs);
}

TEST_F(Managed, CallbacksMayStopStartAndDestroyTimers) {
  Probe b('b'), c('c'), *victim = new Probe('v');
  Probe a('a', [&] {
    b.timer.stop();    // due in this pass: does not run
    c.timer.start(0);  // was due: runs in a later pass
    delete victim;     // its timer leaves the pass with it
    return true;
  });
  // Returns after deleting its owner: the timer must not be touched again.
  Probe* self = new Probe('s', [&] {
    delete self;
    return false;
  });
  for (Probe* p : {&a, self, &b, &c, victim}) p->timer.start(5);
  advanceMs(5);
  tm.checkTimeouts();
  EXPECT_EQ(order, "as");
  EXPECT_TRUE(a.timer.isStarted() && c.timer.isStarted() && !b.timer.isStarted());
}

TEST_F(Managed, ReportedClockJumpRestartsTimersByTheirPeriod) {
  CaptureLogger cap;  // the texts name the direction the right way round
  RouteWriter route(LogWriter::getLogWriter("TimerManager"), &cap, 30);
  Probe a('a'), b('b');
  a.timer.start(100);
  b.timer.start(30);
  tm.getNextTimeout(nullptr);
  EXPECT_EQ(lastThreshold, fakeNow + 30 * kUnitsPerMs + 2400000000LL);
  // Back by an hour: without the restart both would wait that long.
  advanceMs(-3600000, true);
  EXPECT_EQ(tm.getNextTimeout(nullptr), 30);
  EXPECT_EQ(a.timer.getTimeRemaining(), 100 * kUnitsPerMs);
  // Forwards by two hours, far past the threshold the timers gave.
  advanceMs(7200000, true);
  EXPECT_EQ(tm.getNextTimeout(nullptr), 30);
  EXPECT_EQ(cap.lines.at(0).text, "Time has moved backwards - restarting timers");
  EXPECT_EQ(cap.lines.at(1).text, "Time has jumped forwards - restarting timers");
}

TEST_F(TimerDeathTest, MisuseOfTheManagerStackIsFatal) {
  EXPECT_DEATH(Probe('p').timer.start(1), "Assertion 'thrInst' failed");
  TimerManager outer(false), inner(true);
  EXPECT_DEATH(TimerManager(false), "Assertion 'nested \\|\\| !thrInst' failed");
  EXPECT_DEATH(outer.~TimerManager(), "Assertion 'thrInst == this' failed");
}

TEST_F(Managed, ThrowingCallbackLeavesTheOtherDueTimersDue) {
  Probe a('a'), b('b', []() -> bool { throw std::runtime_error("boom"); }), c('c');
  for (Probe* p : {&a, &b, &c}) p->timer.start(10);
  advanceMs(10);
  EXPECT_THROW(tm.checkTimeouts(), std::runtime_error);
  EXPECT_TRUE(!b.timer.isStarted() && c.timer.isStarted());
  EXPECT_EQ(tm.checkTimeouts(), 0);
  EXPECT_EQ(order, "abc");
}

TEST_F(TimerTest, NestedManagersRunOnlyTheirOwnTimers) {
  Probe a('a'), b('b'), c('c'), d('d');
  {
    TimerManager outer(false);
    a.timer.start(0);
    d.action = [&] {
      TimerManager nested(true);
      b.timer.start(0);
      c.timer.start(5);  // still pending when the nested loop ends
      nested.checkTimeouts();
      return true;  // the re-arm goes back to the manager d ran on
    };
    d.timer.start(0);
    outer.checkTimeouts();
    EXPECT_EQ(order, "adb");
    EXPECT_TRUE(!c.timer.isStarted() && d.timer.isStarted());
    EXPECT_EQ(TimerManager::threadInstance(), &outer);
  }
  EXPECT_FALSE(d.timer.isStarted());
  EXPECT_EQ(TimerManager::threadInstanceOrNull(), nullptr);
}
