#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <string>

#include "lib1/io/FdSelectManager.h"
#include "tests/support/Failure.h"
#include "tests/support/SignalStorm.h"

using io::FdManager;
using io::FdSelectManager;

using namespace gwtest;

namespace {

std::string events;  // what the handlers and timers were called for, in order

// The read end of a pipe of its own (or another descriptor). Notes "<id>r",
// "<id>w" or "<id>g" (manager gone), then runs its hook; destroying it
// unregisters it.
struct Probe : io::FdHandler {
  explicit Probe(char idChar, int otherFd = -1) : id(idChar) {
    EXPECT_EQ(pipe2(p, O_CLOEXEC), 0);
    fd = otherFd < 0 ? p[0] : otherFd;
  }
  ~Probe() override {
    if (FdManager* m = FdManager::threadInstance()) m->registerHandler(this, false);
    close(p[0]);
    close(p[1]);
  }
  void put() { EXPECT_EQ(write(p[1], "x", 1), 1); }
  void note(char kind, const std::function<void()>& hook) {
    events += id;
    events += kind;
    if (hook) hook();
  }
  void fdReadable() override { note('r', onRead); }
  void fdWritable() override { note('w', onWrite); }
  void fdMgrGone() override { note('g', onGone); }
  char id;
  int p[2];
  std::function<void()> onRead, onWrite, onGone;
};

struct Action : plat::Timer::Callback {
  explicit Action(std::function<bool()> f = nullptr) : fn(std::move(f)) {}
  bool handleTimeout(plat::Timer*) override {
    events += "T";
    return fn ? fn() : false;
  }
  std::function<bool()> fn;
  plat::Timer timer{this};
};

class Loop : public ::testing::Test {
 protected:
  void SetUp() override { events.clear(); }
  void watch(Probe& h, bool read = true, bool write = false) {
    m.registerHandler(&h, true);
    m.selectHandler(&h, read, write, false, false, false);
  }
  FdSelectManager m{false};
};

}  // namespace

TEST_F(Loop, TurnReportsWhetherAnythingWasServed) {
  EXPECT_FALSE(m.doEvents(0));
  Action t;
  t.timer.start(0);
  EXPECT_TRUE(m.doEvents(0));
}

TEST_F(Loop, WaitEndsWhenTheNextTimerIsDue) {
  Action t;
  t.timer.start(20);
  EXPECT_TRUE(m.doEvents(50));  // one turn: the timer is due when the wait ends
  EXPECT_EQ(events, "T");
}

TEST_F(Loop, WakeUpTimerEndsAnUnlimitedWait) {
  m.wakeUpTimer.start(0);
  EXPECT_TRUE(m.doEvents(-1));
}

TEST_F(Loop, LargestLimitsDoNotWrap) {
  // The extra millisecond added to a limit must not overflow (the sanitizer
  // build aborts if it does); data is ready, so nothing waits.
  Probe h('h');
  watch(h);
  h.put();
  EXPECT_TRUE(m.doEvents(INT_MAX));
  Action t;
  t.timer.start(INT_MAX);
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(events, "hrhr");
}

TEST_F(Loop, TimersComeFirstAndMayMarkHandlersReadyForTheSameDispatch) {
  Probe a('a'), b('b');
  watch(a);
  watch(b, false);  // no interest: only the timer makes it ready
  Action t([&] {
    m.markReady(&b, true, false);
    return false;
  });
  t.timer.start(0);
  a.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_TRUE(events == "Tarbr" || events == "Tbrar") << events;
}

TEST_F(Loop, ReadableAndExceptionalTogetherGiveOneCall) {
  Probe h('h');
  watch(h, false);
  plat::FdSet r, w, e;
  r.add(h.fd);
  e.add(h.fd);
  m.postSelect(true, &r, &w, &e);
  EXPECT_EQ(events, "hr");
}

TEST_F(Loop, WithdrawnReadinessIsNotServed) {
  // Neither a read readiness whose interest is withdrawn nor a write
  // readiness withdrawn by an earlier callback of the dispatch is served.
  Probe h('h'), k('k');
  watch(h, false);
  watch(k, false);
  h.onWrite = [&] { m.unmarkWritable(&k); };
  k.onWrite = [&] { m.unmarkWritable(&h); };
  m.markReady(&h, true, true);
  m.markReady(&k, false, true);
  m.selectHandler(&h, false, true, false, false, false);
  m.callHandlers();
  EXPECT_TRUE(events == "hw" || events == "kw") << events;
}

TEST_F(Loop, SecondReadInterestWaitsForReading) {
  Probe h('h');
  m.registerHandler(&h, true);
  m.selectHandler(&h, false, false, false, true, false);
  plat::FdSet r, w, e;
  int maxFd = 0;
  int limit = -1;
  m.preSelect(&maxFd, &r, &w, &e, &limit);
  EXPECT_TRUE(r.contains(h.fd));
  EXPECT_EQ(maxFd, h.fd + 1);
}

TEST_F(Loop, CallbackMayWithdrawAnotherReadyHandler) {
  Probe a('a'), b('b');
  a.onRead = [&] { m.selectHandler(&b, false, false, false, false, false); };
  b.onRead = [&] { m.selectHandler(&a, false, false, false, false, false); };
  watch(a);
  watch(b);
  a.put();
  b.put();
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(events.size(), 2u);  // only the first of the two ran
}

TEST_F(Loop, ExceptionEndsTheTurnAndTheNextServesTheRest) {
  Probe a('a'), b('b');
  bool armed = true;
  a.onRead = b.onRead = [&] {
    if (!armed) return;
    armed = false;
    throw plat::Exception("handler failed");
  };
  watch(a);
  watch(b);
  a.put();
  b.put();
  EXPECT_THROW(m.doEvents(0), plat::Exception);
  EXPECT_EQ(events.size(), 2u);
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(events.size(), 6u);
}

TEST_F(Loop, CallbackMayDestroyHandlersStillDue) {
  // Whoever runs first destroys both, itself too (which unregisters them).
  Probe* both[2] = {new Probe('x'), new Probe('y')};
  for (Probe* h : both) {
    watch(*h);
    h->put();
    h->onRead = [list = &both] {
      Probe** v = *list;  // copied out: the closure dies with its handler
      delete v[0];
      delete v[1];
    };
  }
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(Loop, UnregisteringClearsTheInterests) {
  Probe h('h');
  watch(h);
  h.put();
  // Left in the interests, its readable descriptor would end every wait at
  // once, and a handler destroyed after this would be read at the next wait.
  m.registerHandler(&h, false);
  EXPECT_FALSE(m.doEvents(0));
  EXPECT_EQ(events, "");
}

TEST_F(Loop, BadDescriptorRaisesAndDispatchesNothing) {
  Probe g('g'), b('b', dup(0));
  watch(g);
  watch(b);
  close(b.fd);
  Action t;
  t.timer.start(0);
  g.put();
  EXPECT_EQ(failureOf([&] { m.doEvents(0); }), "select: Bad file descriptor (9)");
  EXPECT_EQ(events, "");
}

TEST_F(Loop, SignalsMakeEmptyTurns) {
  Action t;
  t.timer.start(0);
  SignalStorm storm(1000);
  EXPECT_TRUE(m.doEvents(-1));  // the timer
  EXPECT_TRUE(m.doEvents(-1));  // nothing to wait for but a signal
  EXPECT_EQ(events, "T");
}

TEST_F(Loop, ServesDescriptor3000AndIgnoresOnesBeyondTheSets) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_cur = std::max<rlim_t>(rl.rlim_cur, 3001);
  if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "cannot open descriptor 3000";
  Probe h('h', 3000), far('f', 70000);
  ASSERT_EQ(dup3(h.p[0], 3000, O_CLOEXEC), 3000);
  watch(h);
  watch(far, true, true);
  EXPECT_FALSE(m.doEvents(0));
  h.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(events, "hr");
  close(3000);
}

TEST(FdManager, DestructorTellsEachHandlerAtMostOnce) {
  events.clear();
  auto* m = new FdSelectManager(false);
  // Whichever of a and b hears first destroys both: the other, unregistered
  // by then, must not be told. One that registers again is told once.
  Probe* pair[2] = {new Probe('a'), new Probe('b')};
  for (Probe* h : pair) {
    h->onGone = [list = &pair] {
      Probe** v = *list;  // copied out: the closure dies with its handler
      delete v[0];
      delete v[1];
    };
  }
  Probe keep('k');
  keep.onGone = [&] { m->registerHandler(&keep, true); };
  for (Probe* h : {pair[0], pair[1], &keep}) m->registerHandler(h, true);
  delete m;
  EXPECT_TRUE(events == "agkg" || events == "bgkg" || events == "kgag" || events == "kgbg")
      << events;
}

TEST(FdManager, DestroyingANestedManagerMakesTheOuterOneCurrent) {
  auto* outer = new FdSelectManager(false);
  auto* nested = new FdSelectManager(true);
  EXPECT_EQ(FdManager::threadInstance(), nested);
  delete nested;
  EXPECT_EQ(FdManager::threadInstance(), outer);
  EXPECT_EQ(plat::TimerManager::threadInstance(), outer->timerManager());
  delete outer;
  EXPECT_EQ(FdManager::threadInstance(), nullptr);
}
