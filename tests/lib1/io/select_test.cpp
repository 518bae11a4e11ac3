#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <string>

#include "lib1/io/FdSelectManager.h"
#include "tests/support/Failure.h"
#include "tests/support/SignalStorm.h"

using io::FdManager;

namespace {

std::string events;  // what the handlers and timers were called for, in order

// Notes "<id>r" or "<id>g" (manager gone), runs its hook; unregisters when destroyed.
struct Probe : io::FdHandler {
  explicit Probe(char idChar, int otherFd = -1) : id(idChar) { fd = otherFd < 0 ? own : otherFd; }
  ~Probe() override {
    if (FdManager* m = FdManager::threadInstance()) m->registerHandler(this, false);
    close(own);
  }
  void put() { EXPECT_EQ(eventfd_write(own, 1), 0); }
  void note(char kind, const std::function<void()>& hook) {
    events += {id, kind};
    if (hook) hook();
  }
  void fdReadable() override { note('r', onRead); }
  void fdMgrGone() override { note('g', onGone); }
  char id;
  int own = eventfd(0, EFD_CLOEXEC);
  std::function<void()> onRead, onGone;
};

// Sets the given hook of both probes to destroy both, itself too.
void destroyBothFrom(std::function<void()> Probe::*hook, Probe* (&both)[2]) {
  for (Probe* h : both)
    h->*hook = [list = &both] {
      Probe** v = *list;  // copied out: the closure dies with its handler
      delete v[0];
      delete v[1];
    };
}

// Notes "T" when its timer, started at once, runs out.
struct Tick : plat::Timer::Callback {
  explicit Tick(int ms) { timer.start(ms); }
  bool handleTimeout(plat::Timer*) override {
    events += "T";
    return false;
  }
  plat::Timer timer{this};
};

struct Loop : testing::Test {
  Loop() { events.clear(); }
  // Registers h for reading (and writing), with data ready when asked.
  void watch(Probe& h, bool ready, bool write = false) {
    m.registerHandler(&h, true);
    m.selectHandler(&h, true, write, false, false, false);
    if (ready) h.put();
  }
  io::FdSelectManager m{false};
};

}  // namespace

TEST_F(Loop, LargestLimitsDoNotWrap) {
  // The millisecond added to a limit must not overflow; data is ready, so nothing waits.
  Probe h('h');
  watch(h, true);
  EXPECT_TRUE(m.doEvents(INT_MAX));
  Tick t(INT_MAX);
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(events, "hrhr");
}

// Whichever of a pair runs first takes the other out: a and b by withdrawing
// the other's readiness, x and y by destroying both.
TEST_F(Loop, CallbackMayWithdrawOrDestroyHandlersStillDue) {
  Probe a('a'), b('b');
  a.onRead = [&] { m.selectHandler(&b, false, false, false, false, false); };
  b.onRead = [&] { m.selectHandler(&a, false, false, false, false, false); };
  Probe* both[2] = {new Probe('x'), new Probe('y')};
  destroyBothFrom(&Probe::onRead, both);
  for (Probe* h : {&a, &b, both[0], both[1]}) watch(*h, true);
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(events.size(), 4u);  // one of each pair ran
}

TEST_F(Loop, UnregisteringClearsTheInterests) {
  Probe h('h');
  watch(h, true);
  // Left in the interests, it would end every wait, and be read after its death.
  m.registerHandler(&h, false);
  EXPECT_FALSE(m.doEvents(0));
  EXPECT_EQ(events, "");
}

TEST_F(Loop, BadDescriptorRaisesAndDispatchesNothing) {
  Probe g('g'), b('b', dup(0));
  watch(g, true);
  watch(b, false);
  close(b.fd);
  Tick t(0);
  EXPECT_EQ(gwtest::failureOf([&] { m.doEvents(0); }), "select: Bad file descriptor (9)");
  EXPECT_EQ(events, "");
}

TEST_F(Loop, SignalsMakeEmptyTurns) {
  Tick t(0);
  gwtest::SignalStorm storm(1000);
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
  ASSERT_EQ(dup3(h.own, 3000, O_CLOEXEC), 3000);
  watch(h, false);
  watch(far, false, true);
  EXPECT_FALSE(m.doEvents(0));
  h.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(events, "hr");
  close(3000);
}

TEST(FdManager, DestructorTellsEachHandlerAtMostOnce) {
  events.clear();
  auto* m = new io::FdSelectManager(false);
  // Whichever of a and b hears first destroys both; one that registers again is told once.
  Probe* pair[2] = {new Probe('a'), new Probe('b')};
  destroyBothFrom(&Probe::onGone, pair);
  Probe keep('k');
  keep.onGone = [&] { m->registerHandler(&keep, true); };
  for (Probe* h : {pair[0], pair[1], &keep}) m->registerHandler(h, true);
  delete m;
  EXPECT_TRUE(events == "agkg" || events == "bgkg" || events == "kgag" || events == "kgbg")
      << events;
}
