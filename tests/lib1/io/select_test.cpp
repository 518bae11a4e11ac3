#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
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

std::string log_;

// The read end of a pipe of its own (or another descriptor). Logs "<name>r",
// "<name>w" or "<name>g" (manager gone), then runs its hook; destroying it
// unregisters it.
struct Probe : io::FdHandler {
  explicit Probe(char n, int d = -1) : name(n) {
    EXPECT_EQ(pipe2(p, O_CLOEXEC), 0);
    fd = d < 0 ? p[0] : d;
  }
  ~Probe() override {
    if (FdManager* m = FdManager::threadInstance()) m->registerHandler(this, false);
    close(p[0]), close(p[1]);
  }
  void put() { EXPECT_EQ(write(p[1], "x", 1), 1); }
  void note(char kind, const std::function<void()>& hook) {
    log_ += name, log_ += kind;
    if (hook) hook();
  }
  void fdReadable() override { note('r', onRead); }
  void fdWritable() override { note('w', onWrite); }
  void fdMgrGone() override { note('g', onGone); }
  char name;
  int p[2];
  std::function<void()> onRead, onWrite, onGone;
};

struct Action : plat::Timer::Callback {
  explicit Action(std::function<bool()> f = nullptr) : fn(std::move(f)) {}
  bool handleTimeout(plat::Timer*) override { return log_ += "T", fn ? fn() : false; }
  std::function<bool()> fn;
  plat::Timer timer{this};
};

class Loop : public ::testing::Test {
 protected:
  void SetUp() override { log_.clear(); }
  void watch(Probe& h, bool read = true, bool write = false) {
    m.registerHandler(&h, true);
    m.selectHandler(&h, read, write, false, false, false);
  }
  FdSelectManager m{false};
};

}  // namespace

TEST_F(Loop, TurnsReportWhetherAnythingHappenedAndTimersLimitTheWait) {
  EXPECT_FALSE(m.doEvents(0));
  Action t;
  t.timer.start(0);
  EXPECT_TRUE(m.doEvents(0));
  t.timer.start(20);  // one turn is enough: the timer is due when it ends
  EXPECT_TRUE(m.doEvents(50));
  m.wakeUpTimer.start(0);  // ends a wait without limit
  EXPECT_TRUE(m.doEvents(-1));
  // The extra millisecond on the largest limits must not wrap (the
  // sanitizer build aborts if it does); data is ready, so nothing waits.
  Probe h('h');
  watch(h);
  h.put();
  EXPECT_TRUE(m.doEvents(INT_MAX));
  t.timer.start(INT_MAX);
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(log_, "TThrhr");
}

TEST_F(Loop, TimersComeFirstAndMayMarkHandlersReadyForTheSameDispatch) {
  Probe a('a'), b('b');
  watch(a);
  watch(b, false);  // no interest: only the timer makes it ready
  Action t([&] { return m.markReady(&b, true, false), false; });
  t.timer.start(0);
  a.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_TRUE(log_ == "Tarbr" || log_ == "Tbrar") << log_;
}

TEST_F(Loop, ReadinessIsCalledOncePerKindAndCanBeWithdrawn) {
  Probe h('h'), k('k');
  watch(h, false), watch(k, false);
  plat::FdSet r, w, e;
  r.add(h.fd), e.add(h.fd);
  m.postSelect(true, &r, &w, &e);  // readable and exceptional: one call
  // Neither a read readiness whose interest is withdrawn nor a write
  // readiness withdrawn by an earlier callback of the dispatch is served.
  h.onWrite = [&] { m.unmarkWritable(&k); };
  k.onWrite = [&] { m.unmarkWritable(&h); };
  m.markReady(&h, true, true), m.markReady(&k, false, true);
  m.selectHandler(&h, false, true, false, false, false);
  m.callHandlers();
  EXPECT_TRUE(log_ == "hrhw" || log_ == "hrkw") << log_;
  // The address-change interest cannot be served; the second read-like
  // interest is served as read all the same.
  EXPECT_FALSE(m.selectHandler(&h, false, false, false, true, true));
  int maxFd = 0, limit = -1;
  r.clear();
  m.preSelect(&maxFd, &r, &w, &e, &limit);
  EXPECT_TRUE(r.contains(h.fd) && maxFd == h.fd + 1);
}

TEST_F(Loop, CallbacksMayWithdrawDestroyOrThrow) {
  Probe a('a'), b('b');
  a.onRead = [&] { m.selectHandler(&b, false, false, false, false, false); };
  b.onRead = [&] { m.selectHandler(&a, false, false, false, false, false); };
  watch(a), watch(b);
  a.put(), b.put();
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log_.size(), 2u);  // only the first of the two ran
  // An exception ends the turn; the next one serves the other handler.
  bool armed = true;
  a.onRead = b.onRead = [&] {
    if (armed) armed = false, throw plat::Exception("handler failed");
  };
  watch(a), watch(b);
  EXPECT_THROW(m.doEvents(0), plat::Exception);
  EXPECT_EQ(log_.size(), 4u);
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log_.size(), 8u);
  // Whoever runs first destroys both, itself too (which unregisters them).
  m.registerHandler(&a, false), m.registerHandler(&b, false);
  Probe* both[2] = {new Probe('x'), new Probe('y')};
  for (Probe* h : both) {
    watch(*h), h->put();
    h->onRead = [list = &both] {
      Probe** v = *list;  // copied out: the closure dies with its handler
      delete v[0], delete v[1];
    };
  }
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log_.size(), 10u);
}

TEST_F(Loop, UnregisteringClearsTheInterests) {
  Probe h('h');
  watch(h);
  h.put();
  // Left in the interests, its readable descriptor would end every wait at
  // once, and a handler destroyed after this would be read at the next wait.
  m.registerHandler(&h, false);
  EXPECT_FALSE(m.doEvents(0));
  EXPECT_EQ(log_, "");
}

TEST_F(Loop, BadDescriptorRaisesAndDispatchesNothingAndSignalsMakeEmptyTurns) {
  Probe g('g'), b('b', dup(0));
  watch(g), watch(b);
  close(b.fd);
  Action t;
  t.timer.start(0);
  g.put();
  EXPECT_EQ(failureOf([&] { m.doEvents(0); }), "select: Bad file descriptor (9)");
  EXPECT_EQ(log_, "");
  m.registerHandler(&b, false), m.registerHandler(&g, false);
  SignalStorm storm(1000);
  EXPECT_TRUE(m.doEvents(-1));  // the timer, but no descriptor
  EXPECT_TRUE(m.doEvents(-1));  // nothing to wait for but a signal
  EXPECT_EQ(log_, "T");
}

TEST_F(Loop, ServesDescriptor3000AndIgnoresOnesBeyondTheSets) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_cur = std::max<rlim_t>(rl.rlim_cur, 3001);
  if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "cannot open descriptor 3000";
  Probe h('h', 3000), far('f', 70000);
  ASSERT_EQ(dup3(h.p[0], 3000, O_CLOEXEC), 3000);
  watch(h), watch(far, true, true);
  EXPECT_FALSE(m.doEvents(0));
  h.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(log_, "hr");
  close(3000);
}

TEST_F(Loop, ServesPipesSocketPairsAndTimersTogether) {
  int sp[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sp), 0);
  // A 1 ms timer feeds both twenty times; a byte on the socket is echoed.
  int got = 0, ticks = 0;
  char c;
  Probe fromPipe('p'), echo('e', sp[1]), fromEcho('s', sp[0]);
  fromPipe.onRead = [&] { got += int(read(fromPipe.fd, &c, 1)); };
  echo.onRead = [&] { EXPECT_EQ(read(sp[1], &c, 1) + write(sp[1], &c, 1), 2); };
  fromEcho.onRead = [&] { got += int(read(sp[0], &c, 1)); };
  Action feed(
      [&] { return write(fromPipe.p[1], "x", 1) + write(sp[0], "y", 1) == 2 && ++ticks < 20; });
  watch(fromPipe), watch(echo), watch(fromEcho);
  feed.timer.start(1);
  for (int turns = 0; got < 40 && turns < 1000; turns++) m.doEvents(-1);
  EXPECT_EQ(got, 40);
  close(sp[0]), close(sp[1]);
}

TEST(FdManager, DestructorTellsEachHandlerOnceAndPopsTheStack) {
  log_.clear();
  auto* outer = new FdSelectManager(false);
  auto* m = new FdSelectManager(true);
  // Whichever of a and b hears first destroys both: the other, unregistered
  // by then, must not be told. One that registers again is told once.
  Probe* pair[2] = {new Probe('a'), new Probe('b')};
  for (Probe* h : pair) {
    h->onGone = [list = &pair] {
      Probe** v = *list;  // copied out: the closure dies with its handler
      delete v[0], delete v[1], v[0] = v[1] = nullptr;
    };
  }
  Probe keep('k');
  keep.onGone = [&] { m->registerHandler(&keep, true); };
  for (Probe* h : {pair[0], pair[1], &keep}) m->registerHandler(h, true);
  delete m;
  EXPECT_TRUE(log_ == "agkg" || log_ == "bgkg" || log_ == "kgag" || log_ == "kgbg") << log_;
  EXPECT_EQ(FdManager::threadInstance(), outer);
  EXPECT_EQ(plat::TimerManager::threadInstance(), outer->timerManager());
  delete outer;
  EXPECT_EQ(FdManager::threadInstance(), nullptr);
}
