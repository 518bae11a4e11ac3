#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <functional>
#include <string>

#include "lib1/io/FdSelectManager.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Time.h"

using io::FdHandler;
using io::FdManager;
using io::FdSelectManager;

namespace {

std::string log_;

struct Pipe {
  Pipe() { EXPECT_EQ(pipe2(fd, O_CLOEXEC), 0); }
  ~Pipe() { close(fd[0]), close(fd[1]); }
  void put() { EXPECT_EQ(write(fd[1], "x", 1), 1); }
  int fd[2];
};

// Logs "<name>r", "<name>w", "<name>g" (manager gone), then runs its hook.
struct Probe : FdHandler {
  Probe(int d, char n) : name(n) { fd = d; }
  void note(char kind, const std::function<void()>& hook) {
    log_ += name, log_ += kind;
    if (hook) hook();
  }
  void fdReadable() override { note('r', onRead); }
  void fdWritable() override { note('w', onWrite); }
  void fdMgrGone() override { note('g', onGone); }
  char name;
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
  // Registered with read (or write) interest; unregistered at the end.
  void watch(Probe& h, bool read = true, bool write = false) {
    m.registerHandler(&h, true);
    m.selectHandler(&h, read, write, false, false, false);
    owned.push_back(&h);
  }
  void TearDown() override {
    for (Probe* h : owned) m.registerHandler(h, false);
  }
  FdSelectManager m{false};
  std::vector<Probe*> owned;
};

long long fakeNow = 0;
long long fakeClock(long long, bool*) { return fakeNow; }
volatile sig_atomic_t alarms = 0;
void onAlarm(int) { alarms = alarms + 1; }

}  // namespace

TEST_F(Loop, TurnsReportWhetherAnythingHappened) {
  EXPECT_EQ(FdManager::threadInstance(), &m);
  EXPECT_FALSE(m.doEvents(0));
  Action t;
  t.timer.start(0);
  EXPECT_TRUE(m.doEvents(0));
  m.wakeUpTimer.start(0);  // ends a wait without limit
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(log_, "T");
}

TEST_F(Loop, WaitIsLimitedByTheNextTimerWithoutOverflow) {
  plat::getMonotonicTimeFn = fakeClock;
  Action t;
  t.timer.start(20);
  plat::FdSet r, w, e;
  int maxFd = 0, limit = 50;
  EXPECT_TRUE(m.preSelect(&maxFd, &r, &w, &e, &limit));
  EXPECT_EQ(limit, 20);
  limit = 10;  // the caller's own limit is shorter
  EXPECT_FALSE(m.preSelect(&maxFd, &r, &w, &e, &limit));
  EXPECT_EQ(limit, 10);
  // The extra millisecond on the largest limits must not wrap (the
  // sanitizer build aborts if it does); data is ready, so nothing waits.
  Pipe p;
  Probe h(p.fd[0], 'h');
  watch(h);
  p.put();
  EXPECT_TRUE(m.doEvents(INT_MAX));
  t.timer.start(INT_MAX);
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(log_, "hrhr");
  plat::getMonotonicTimeFn = nullptr;
}

TEST_F(Loop, TimersComeFirstAndMayMarkHandlersReadyForTheSameDispatch) {
  Pipe p1, p2;
  Probe a(p1.fd[0], 'a'), b(p2.fd[0], 'b');
  watch(a);
  watch(b, false);  // no interest: only the timer makes it ready
  Action t([&] { return m.markReady(&b, true, false), false; });
  t.timer.start(0);
  p1.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_TRUE(log_ == "Tarbr" || log_ == "Tbrar") << log_;
}

TEST_F(Loop, ReadinessIsCalledOncePerKindAndCanBeWithdrawn) {
  Probe h(0, 'h');
  watch(h, false);
  // Readable and exceptional in one wait: one call.
  plat::FdSet r, w, e;
  r.add(0), e.add(0);
  m.postSelect(true, &r, &w, &e);
  EXPECT_EQ(log_, "hr");
  // A write readiness withdrawn by the read callback is not served.
  h.onRead = [&] { m.unmarkWritable(&h); };
  m.markReady(&h, true, true);
  m.callHandlers();
  EXPECT_EQ(log_, "hrhr");
  // Marked readable from the later write step: waits for the next dispatch.
  h.onRead = nullptr;
  h.onWrite = [&] { m.markReady(&h, true, false); };
  m.markReady(&h, false, true);
  m.callHandlers();
  EXPECT_EQ(log_, "hrhrhw");
  h.onWrite = nullptr;
  // Withdrawing every read-like interest withdraws the read readiness.
  m.selectHandler(&h, false, true, false, false, false);
  m.callHandlers();
  EXPECT_EQ(log_, "hrhrhw");
  // The address-change interest cannot be served; the rest applies.
  EXPECT_FALSE(m.selectHandler(&h, false, false, false, true, true));
  Probe stranger(0, 's');
  m.markReady(&stranger, true, true);  // not registered: ignored
  m.callHandlers();
  EXPECT_EQ(log_, "hrhrhw");
}

TEST_F(Loop, CallbacksMayWithdrawUnregisterAndDestroyOthers) {
  Pipe p1, p2, p3;
  Probe a(p1.fd[0], 'a'), b(p2.fd[0], 'b');
  a.onRead = [&] { m.selectHandler(&b, false, false, false, false, false); };
  b.onRead = [&] { m.selectHandler(&a, false, false, false, false, false); };
  watch(a), watch(b);
  p1.put(), p2.put();
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log_.size(), 2u);  // only the first of the two ran
  m.registerHandler(&a, false), m.registerHandler(&b, false);
  // Whoever runs first unregisters and deletes all three, itself too.
  Probe* all[3] = {new Probe(p1.fd[0], 'x'), new Probe(p2.fd[0], 'y'), new Probe(p3.fd[0], 'z')};
  for (Probe* h : all) {
    h->onRead = [mgr = &m, list = &all] {
      FdManager* m = mgr;  // copied out: the closure dies with its handler
      Probe** victims = *list;
      for (int i = 0; i < 3; i++) m->registerHandler(victims[i], false), delete victims[i];
    };
    m.registerHandler(h, true), m.selectHandler(h, true, false, false, false, false);
  }
  p3.put();
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log_.size(), 4u);
}

TEST_F(Loop, UnregisteringClearsTheInterests) {
  Pipe p;
  auto* h = new Probe(p.fd[0], 'h');
  m.registerHandler(h, true);
  m.selectHandler(h, true, false, false, false, false);
  p.put();
  // Left in the interests, the dead handler would be read at the next wait
  // and its readable descriptor would end every wait at once.
  m.registerHandler(h, false);
  delete h;
  EXPECT_FALSE(m.doEvents(0));
  EXPECT_EQ(log_, "");
}

TEST_F(Loop, ClosedDescriptorStillSelectedRaisesAndDispatchesNothing) {
  Pipe good, bad;
  Probe g(good.fd[0], 'g'), b(dup(bad.fd[0]), 'b');
  watch(g), watch(b);
  Action t;
  t.timer.start(0);
  good.put();
  close(b.fd);
  try {
    m.doEvents(0);
    ADD_FAILURE() << "no exception";
  } catch (const plat::SystemException& e) {
    EXPECT_EQ(e.err, EBADF);
    EXPECT_STREQ(e.str(), "select: Bad file descriptor (9)");
  }
  EXPECT_EQ(log_, "");
  m.registerHandler(&b, false);
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log_, "Tgr");
}

TEST_F(Loop, InterruptedWaitIsAnEmptyTurn) {
  Pipe p;
  Probe h(p.fd[0], 'h');
  watch(h);
  struct sigaction sa = {}, old;
  sa.sa_handler = onAlarm;
  sigaction(SIGALRM, &sa, &old);
  itimerval every = {{0, 1000}, {0, 1000}}, off = {};  // repeats: none can be missed
  alarms = 0;
  setitimer(ITIMER_REAL, &every, nullptr);
  bool r = m.doEvents(-1);
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old, nullptr);
  EXPECT_TRUE(r);
  EXPECT_GT(alarms, 0);
  EXPECT_EQ(log_, "");
}

TEST_F(Loop, ServesDescriptor3000AndIgnoresOnesBeyondTheSets) {
  rlimit rl;
  getrlimit(RLIMIT_NOFILE, &rl);
  rl.rlim_cur = std::max<rlim_t>(rl.rlim_cur, 3001);
  if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "cannot open descriptor 3000";
  Pipe p;
  ASSERT_EQ(dup3(p.fd[0], 3000, O_CLOEXEC), 3000);
  Probe h(3000, 'h'), far(70000, 'f');
  watch(h), watch(far, true, true);
  EXPECT_FALSE(m.doEvents(0));
  p.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(log_, "hr");
  close(3000);
}

TEST_F(Loop, ExceptionEndsTheTurnAndTheNextTurnServesTheRest) {
  Pipe p1, p2;
  Probe a(p1.fd[0], 'a'), b(p2.fd[0], 'b');
  bool armed = true;
  a.onRead = b.onRead = [&] {
    if (armed) armed = false, throw plat::Exception("handler failed");
  };
  watch(a), watch(b);
  p1.put(), p2.put();
  EXPECT_THROW(m.doEvents(0), plat::Exception);
  EXPECT_EQ(log_.size(), 2u);
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log_.size(), 6u);
}

TEST_F(Loop, ServesPipesSocketPairsAndTimersTogether) {
  int sp[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sp), 0);
  Pipe p;
  // A ping over the socket pair is echoed back; each pong sends the next
  // ping from a 0 ms timer, and a 1 ms timer feeds the pipe three times.
  int pongs = 0, bytes = 0, ticks = 0;
  Probe echo(sp[1], 'e'), ping(sp[0], 'p'), reader(p.fd[0], 'r');
  char c;
  echo.onRead = [&] { EXPECT_EQ(read(sp[1], &c, 1) + write(sp[1], &c, 1), 2); };
  Action next([&] { return write(sp[0], "p", 1) != 1; });
  ping.onRead = [&] {
    EXPECT_EQ(read(sp[0], &c, 1), 1);
    if (++pongs < 50) next.timer.start(0);
  };
  reader.onRead = [&] { bytes += int(read(p.fd[0], &c, 1)); };
  Action feeder([&] { return write(p.fd[1], "x", 1) == 1 && ++ticks < 3; });
  watch(echo), watch(ping), watch(reader);
  feeder.timer.start(1);
  next.timer.start(0);
  for (int turns = 0; (pongs < 50 || bytes < 3) && turns < 10000; turns++) m.doEvents(-1);
  EXPECT_EQ(pongs, 50);
  EXPECT_EQ(bytes, 3);
  EXPECT_FALSE(feeder.timer.isStarted());
  close(sp[0]), close(sp[1]);
}

TEST(FdManager, DestructorTellsEachHandlerOnceAndPopsTheStack) {
  log_.clear();
  auto* outer = new FdSelectManager(false);
  auto* m = new FdSelectManager(true);
  Action nestedOnly;
  nestedOnly.timer.start(0);
  EXPECT_TRUE(m->doEvents(-1));  // its own timers, not the outer ones
  Probe* pair[2] = {new Probe(-1, 'a'), new Probe(-1, 'b')};
  Probe keep(-1, 'k');
  // Whichever of a and b hears first deletes both: the other, unregistered
  // by then, must not be told. One that registers again is told once.
  for (Probe* h : pair) {
    h->onGone = [m, pair = &pair] {
      FdManager* mgr = m;  // copied out: the closure dies with its handler
      for (Probe*& x : *pair) mgr->registerHandler(x, false), delete x, x = nullptr;
    };
  }
  keep.onGone = [&] { m->registerHandler(&keep, true); };
  for (Probe* h : {pair[0], pair[1], &keep}) m->registerHandler(h, true);
  delete m;
  EXPECT_TRUE(log_ == "Tagkg" || log_ == "Tbgkg" || log_ == "Tkgag" || log_ == "Tkgbg") << log_;
  EXPECT_EQ(FdManager::threadInstance(), outer);
  EXPECT_EQ(plat::TimerManager::threadInstance(), outer->timerManager());
  delete outer;
  EXPECT_EQ(FdManager::threadInstance(), nullptr);
}
