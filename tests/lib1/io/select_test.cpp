#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "lib1/io/FdSelectManager.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Time.h"

using io::FdHandler;
using io::FdManager;
using io::FdSelectManager;

namespace {

struct Pipe {
  Pipe() { EXPECT_EQ(pipe2(fd, O_CLOEXEC), 0); }
  ~Pipe() {
    if (fd[0] >= 0) close(fd[0]);
    if (fd[1] >= 0) close(fd[1]);
  }
  void put(const char* s = "x") { ASSERT_EQ(write(fd[1], s, strlen(s)), ssize_t(strlen(s))); }
  std::string take() {
    char buf[256];
    ssize_t n = read(fd[0], buf, sizeof buf);
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
  }
  int fd[2] = {-1, -1};
};

struct Probe : FdHandler {
  Probe(int d, std::string n, std::vector<std::string>* l) : name(std::move(n)), log(l) { fd = d; }
  void fdReadable() override {
    log->push_back(name + ":r");
    if (onRead) onRead();
  }
  void fdWritable() override {
    log->push_back(name + ":w");
    if (onWrite) onWrite();
  }
  void fdMgrGone() override {
    log->push_back(name + ":gone");
    if (onGone) onGone();
  }
  std::string name;
  std::vector<std::string>* log;
  std::function<void()> onRead, onWrite, onGone;
};

struct TimerProbe : plat::Timer::Callback {
  explicit TimerProbe(std::vector<std::string>* l) : log(l) {}
  bool handleTimeout(plat::Timer*) override {
    log->push_back("timer");
    return action ? action() : false;
  }
  std::vector<std::string>* log;
  std::function<bool()> action;
  plat::Timer timer{this};
};

long long fakeNow = 0;
long long fakeClock(long long, bool*) { return fakeNow; }

void watch(FdManager& m, FdHandler* h, bool read, bool write) {
  m.registerHandler(h, true);
  m.selectHandler(h, read, write, false, false, false);
}

}  // namespace

TEST(SelectLoop, PollWithNothingReadyReturnsFalse) {
  FdSelectManager m(false);
  EXPECT_EQ(FdManager::threadInstance(), &m);
  EXPECT_EQ(plat::TimerManager::threadInstance(), m.timerManager());
  EXPECT_FALSE(m.doEvents(0));
  std::vector<std::string> log;
  TimerProbe t(&log);
  t.timer.start(0);
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log, std::vector<std::string>{"timer"});
}

TEST(SelectLoop, WaitIsLimitedByTheNextTimer) {
  plat::getMonotonicTimeFn = fakeClock;
  {
    FdSelectManager m(false);
    std::vector<std::string> log;
    TimerProbe t(&log);
    t.timer.start(20);
    plat::FdSet r, w, e;
    int maxFd = 0;
    int limit = 50;
    EXPECT_TRUE(m.preSelect(&maxFd, &r, &w, &e, &limit));
    EXPECT_EQ(limit, 20);
    limit = 10;  // the caller's own limit is shorter
    EXPECT_FALSE(m.preSelect(&maxFd, &r, &w, &e, &limit));
    EXPECT_EQ(limit, 10);
    limit = -1;
    EXPECT_TRUE(m.preSelect(&maxFd, &r, &w, &e, &limit));
    EXPECT_EQ(limit, 20);
    EXPECT_EQ(maxFd, 0);
  }
  plat::getMonotonicTimeFn = nullptr;
}

TEST(SelectLoop, LongestLimitsDoNotOverflow) {
  plat::getMonotonicTimeFn = fakeClock;
  {
    FdSelectManager m(false);
    std::vector<std::string> log;
    Pipe p;
    Probe h(p.fd[0], "h", &log);
    watch(m, &h, true, false);
    p.put();
    // Data is ready, so neither wait lasts; the extra millisecond on the
    // largest limit must not wrap (the sanitizer build aborts if it does).
    EXPECT_TRUE(m.doEvents(INT_MAX));
    TimerProbe t(&log);
    t.timer.start(INT_MAX);
    EXPECT_TRUE(m.doEvents(-1));
    EXPECT_EQ(log, (std::vector<std::string>{"h:r", "h:r"}));
    m.registerHandler(&h, false);
  }
  plat::getMonotonicTimeFn = nullptr;
}

TEST(SelectLoop, TimersRunBeforeHandlersAndMayMarkThemReady) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p1, p2;
  Probe a(p1.fd[0], "a", &log), b(p2.fd[0], "b", &log);
  watch(m, &a, true, false);
  m.registerHandler(&b, true);  // no interest: only the timer makes it ready
  TimerProbe t(&log);
  t.action = [&] {
    m.markReady(&b, true, false);
    return false;
  };
  t.timer.start(0);
  p1.put();
  EXPECT_TRUE(m.doEvents(-1));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "timer");  // then both readers in the same dispatch
  EXPECT_TRUE((log[1] == "a:r" && log[2] == "b:r") || (log[1] == "b:r" && log[2] == "a:r"));
  m.registerHandler(&a, false);
  m.registerHandler(&b, false);
}

TEST(SelectLoop, ReadableAndExceptionalInOneWaitCallOnce) {
  int lst = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(lst, 0);
  sockaddr_in a = {};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  ASSERT_EQ(bind(lst, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(listen(lst, 1), 0);
  ASSERT_EQ(getsockname(lst, reinterpret_cast<sockaddr*>(&a), &len), 0);
  int c = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_EQ(connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  int s = accept(lst, nullptr, nullptr);
  ASSERT_GE(s, 0);
  ASSERT_EQ(send(c, "ab", 2, 0), 2);
  ASSERT_EQ(send(c, "!", 1, MSG_OOB), 1);

  FdSelectManager m(false);
  std::vector<std::string> log;
  Probe h(s, "h", &log);
  m.registerHandler(&h, true);
  EXPECT_TRUE(m.selectHandler(&h, true, false, true, false, false));
  // Wait for both conditions to be there, then one turn.
  plat::FdSet r, e;
  r.add(s);
  e.add(s);
  for (int i = 0; i < 1000 && !(r.contains(s) && e.contains(s)); i++) {
    r.clear(), e.clear(), r.add(s), e.add(s);
    plat::FdSet::select(s + 1, &r, nullptr, &e, nullptr);
  }
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log, std::vector<std::string>{"h:r"});
  m.registerHandler(&h, false);
  close(s);
  close(c);
  close(lst);
}

TEST(SelectLoop, AddressChangeInterestIsRefusedButTheRestApplies) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p;
  Probe h(p.fd[1], "h", &log);
  m.registerHandler(&h, true);
  EXPECT_FALSE(m.selectHandler(&h, false, true, false, false, true));
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log, std::vector<std::string>{"h:w"});
  // The second read-like interest is served as read.
  EXPECT_TRUE(m.selectHandler(&h, false, false, false, true, false));
  h.fd = p.fd[0];
  p.put();
  log.clear();
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log, std::vector<std::string>{"h:r"});
  m.registerHandler(&h, false);
}

TEST(SelectLoop, InterestWithdrawnDuringTheDispatchPreventsTheCall) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p1, p2;
  Probe a(p1.fd[0], "a", &log), b(p2.fd[0], "b", &log);
  a.onRead = [&] { m.selectHandler(&b, false, false, false, false, false); };
  b.onRead = [&] { m.selectHandler(&a, false, false, false, false, false); };
  watch(m, &a, true, false);
  watch(m, &b, true, false);
  p1.put();
  p2.put();
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log.size(), 1u);
  m.registerHandler(&a, false);
  m.registerHandler(&b, false);
}

TEST(SelectLoop, HandlerMayDestroyItselfAndOthersDuringTheDispatch) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p1, p2, p3;
  auto* a = new Probe(p1.fd[0], "a", &log);
  auto* b = new Probe(p2.fd[0], "b", &log);
  auto* c = new Probe(p3.fd[0], "c", &log);
  std::vector<Probe*> all = {a, b, c};
  // Whichever runs first unregisters and deletes every handler, itself too.
  for (Probe* h : all) {
    h->onRead = [&m, &all] {
      // Copied out first: the closure dies with the handler that holds it.
      FdSelectManager* mgr = &m;
      std::vector<Probe*>* victims = &all;
      for (Probe*& x : *victims) {
        if (!x) continue;
        mgr->registerHandler(x, false);
        delete x;
        x = nullptr;
      }
    };
    watch(m, h, true, false);
  }
  p1.put(), p2.put(), p3.put();
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log.size(), 1u);
  EXPECT_FALSE(m.doEvents(0));
}

TEST(SelectLoop, UnregisteringClearsTheInterests) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p;
  auto* h = new Probe(p.fd[0], "h", &log);
  watch(m, h, true, false);
  p.put();
  // Unregistered without withdrawing its interest first, then destroyed:
  // the next wait must neither read the dead handler nor return at once
  // for its readable descriptor.
  m.registerHandler(h, false);
  delete h;
  EXPECT_FALSE(m.doEvents(0));
  EXPECT_TRUE(log.empty());
}

TEST(SelectLoop, ClosedDescriptorStillSelectedRaisesAndDispatchesNothing) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe good, bad;
  Probe g(good.fd[0], "g", &log), b(bad.fd[0], "b", &log);
  watch(m, &g, true, false);
  watch(m, &b, true, false);
  TimerProbe t(&log);
  t.timer.start(0);
  good.put();
  close(bad.fd[0]);
  bad.fd[0] = -1;
  try {
    m.doEvents(0);
    FAIL() << "no exception";
  } catch (const plat::SystemException& e) {
    EXPECT_EQ(e.err, EBADF);
    EXPECT_STREQ(e.str(), "select: Bad file descriptor (9)");
  }
  EXPECT_TRUE(log.empty());
  // Once the owner withdraws the dead descriptor the loop goes on.
  m.registerHandler(&b, false);
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log, (std::vector<std::string>{"timer", "g:r"}));
  m.registerHandler(&g, false);
}

namespace {
volatile sig_atomic_t alarms = 0;
void onAlarm(int) { alarms = alarms + 1; }
}  // namespace

TEST(SelectLoop, InterruptedWaitIsAnEmptyTurn) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p;
  Probe h(p.fd[0], "h", &log);
  watch(m, &h, true, false);
  struct sigaction sa = {}, old;
  sa.sa_handler = onAlarm;
  sigaction(SIGALRM, &sa, &old);
  // Repeating, so that a signal that comes before the wait starts cannot
  // leave it waiting for ever.
  itimerval every = {{0, 1000}, {0, 1000}}, off = {};
  alarms = 0;
  setitimer(ITIMER_REAL, &every, nullptr);
  bool r = m.doEvents(-1);
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old, nullptr);
  EXPECT_TRUE(r);
  EXPECT_GT(alarms, 0);
  EXPECT_TRUE(log.empty());
  m.registerHandler(&h, false);
}

TEST(SelectLoop, ServesDescriptorsBeyondTheCLibrarySetSize) {
  rlimit rl;
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &rl), 0);
  if (rl.rlim_cur < 3001) {
    rl.rlim_cur = 3001;
    if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "cannot open descriptor 3000";
  }
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p;
  ASSERT_EQ(dup3(p.fd[0], 3000, O_CLOEXEC), 3000);
  Probe h(3000, "h", &log);
  watch(m, &h, true, false);
  EXPECT_FALSE(m.doEvents(0));
  p.put();
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_EQ(log, std::vector<std::string>{"h:r"});
  // Descriptors the sets cannot hold are left out, not a crash.
  Probe far(70000, "far", &log);
  watch(m, &far, true, true);
  p.take();
  EXPECT_FALSE(m.doEvents(0));
  m.registerHandler(&far, false);
  m.registerHandler(&h, false);
  close(3000);
}

TEST(SelectLoop, ExceptionFromAHandlerEndsTheTurnAndTheLoopGoesOn) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Pipe p1, p2;
  Probe a(p1.fd[0], "a", &log), b(p2.fd[0], "b", &log);
  bool armed = true;
  auto thrower = [&] {
    if (armed) {
      armed = false;
      throw plat::Exception("handler failed");
    }
  };
  a.onRead = thrower;
  b.onRead = thrower;
  watch(m, &a, true, false);
  watch(m, &b, true, false);
  p1.put(), p2.put();
  EXPECT_THROW(m.doEvents(0), plat::Exception);
  EXPECT_EQ(log.size(), 1u);
  // Both are still readable: the next turn serves both.
  EXPECT_TRUE(m.doEvents(0));
  EXPECT_EQ(log.size(), 3u);
  m.registerHandler(&a, false);
  m.registerHandler(&b, false);
}

TEST(SelectLoop, WakeUpTimerEndsAWaitWithoutLimit) {
  FdSelectManager m(false);
  m.wakeUpTimer.start(0);
  EXPECT_TRUE(m.doEvents(-1));
  EXPECT_FALSE(m.wakeUpTimer.isStarted());  // fires once
  EXPECT_FALSE(m.doEvents(0));
}
