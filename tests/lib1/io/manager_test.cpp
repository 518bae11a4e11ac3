#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "lib1/io/FdSelectManager.h"

using io::FdHandler;
using io::FdManager;
using io::FdSelectManager;

namespace {

struct Recorder : FdHandler {
  Recorder(int d, std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {
    fd = d;
  }
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
  std::vector<std::string>* log;
  std::string name;
  std::function<void()> onRead, onWrite, onGone;
};

// Echoes what arrives on one socket back through the same socket, and
// counts the round trips on the other end: a small protocol served by the
// loop alone.
struct PingPong : FdHandler, plat::Timer::Callback {
  PingPong(FdManager* m, int ping, int pong, int rounds)
      : mgr(m), pingFd(ping), echo(pong, this), limit(rounds) {
    fd = ping;
    mgr->registerHandler(this, true);
    mgr->selectHandler(this, true, false, false, false, false);
    mgr->registerHandler(&echo, true);
    mgr->selectHandler(&echo, true, false, false, false, false);
  }
  ~PingPong() override {
    mgr->registerHandler(this, false);
    mgr->registerHandler(&echo, false);
  }
  struct Echo : FdHandler {
    Echo(int d, PingPong* o) : owner(o) { fd = d; }
    void fdReadable() override {
      char c;
      if (read(fd, &c, 1) == 1) {
        EXPECT_EQ(write(fd, &c, 1), 1);
      }
    }
    PingPong* owner;
  };
  void fdReadable() override {
    char c;
    ASSERT_EQ(read(fd, &c, 1), 1);
    if (++rounds < limit)
      delay.start(0);  // the next ping goes out from a timer
    else
      done = true;
  }
  bool handleTimeout(plat::Timer*) override {
    EXPECT_EQ(write(pingFd, "p", 1), 1);
    return false;
  }
  FdManager* mgr;
  int pingFd;
  Echo echo;
  int limit;
  int rounds = 0;
  bool done = false;
  plat::Timer delay{this};
};

struct Counter : plat::Timer::Callback {
  bool handleTimeout(plat::Timer*) override { return ++count < 5; }
  int count = 0;
  plat::Timer timer{this};
};

}  // namespace

TEST(FdManager, LoopServesPipesSocketPairsAndTimersTogether) {
  FdSelectManager m(false);
  int sp[2], pp[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sp), 0);
  ASSERT_EQ(pipe2(pp, O_CLOEXEC), 0);
  PingPong game(&m, sp[0], sp[1], 50);

  // A pipe reader that collects what a timer-driven writer sends.
  std::vector<std::string> log;
  std::string got;
  Recorder reader(pp[0], &log, "reader");
  reader.onRead = [&] {
    char buf[64];
    ssize_t n = read(pp[0], buf, sizeof buf);
    if (n > 0) got.append(buf, size_t(n));
  };
  m.registerHandler(&reader, true);
  m.selectHandler(&reader, true, false, false, false, false);
  Counter repeating;  // a 0 ms repeating timer, five times
  repeating.timer.start(0);
  struct Writer : plat::Timer::Callback {
    bool handleTimeout(plat::Timer*) override {
      EXPECT_EQ(write(fd, "hello", 5), 5);
      return ++sent < 3;
    }
    int fd = -1;
    int sent = 0;
    plat::Timer timer{this};
  } writer;
  writer.fd = pp[1];
  writer.timer.start(1);

  ASSERT_EQ(write(sp[0], "p", 1), 1);
  int turns = 0;
  while ((!game.done || got.size() < 15 || repeating.count < 5) && turns < 10000) {
    m.doEvents(-1);
    turns++;
  }
  EXPECT_TRUE(game.done);
  EXPECT_EQ(game.rounds, 50);
  EXPECT_EQ(got, "hellohellohello");
  EXPECT_EQ(repeating.count, 5);
  EXPECT_FALSE(repeating.timer.isStarted());
  m.registerHandler(&reader, false);
  close(sp[0]), close(sp[1]), close(pp[0]), close(pp[1]);
}

TEST(FdManager, DestructorTellsEachHandlerOnceEvenWhenOneDeletesAnother) {
  std::vector<std::string> log;
  FdSelectManager* outer = new FdSelectManager(false);
  FdSelectManager* m = new FdSelectManager(true);
  EXPECT_EQ(FdManager::threadInstance(), m);
  auto* a = new Recorder(-1, &log, "a");
  auto* b = new Recorder(-1, &log, "b");
  Recorder keep(-1, &log, "keep");
  // Whichever of a and b hears first deletes both; a deleted handler has
  // unregistered itself and must not be told afterwards.
  auto killBoth = [&] {
    // Copied out first: the closure dies with the handler that holds it.
    FdManager* mgr = m;
    Recorder** victims[] = {&a, &b};
    for (Recorder** r : victims) {
      if (!*r) continue;
      mgr->registerHandler(*r, false);
      delete *r;
      *r = nullptr;
    }
  };
  a->onGone = killBoth;
  b->onGone = killBoth;
  // A handler that registers itself again while hearing the news is not
  // told twice.
  keep.onGone = [&] { m->registerHandler(&keep, true); };
  for (Recorder* r : {a, b, &keep}) {
    m->registerHandler(r, true);
    m->selectHandler(r, true, false, false, false, false);
  }
  delete m;
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(std::count(log.begin(), log.end(), "keep:gone"), 1);
  EXPECT_EQ(FdManager::threadInstance(), outer);
  EXPECT_EQ(plat::TimerManager::threadInstance(), outer->timerManager());
  delete outer;
  EXPECT_EQ(FdManager::threadInstance(), nullptr);
  EXPECT_EQ(plat::TimerManager::threadInstanceOrNull(), nullptr);
}

TEST(FdManager, NestedManagerServesOnlyItsOwnTimers) {
  FdSelectManager outer(false);
  struct Once : plat::Timer::Callback {
    bool handleTimeout(plat::Timer*) override { return ++calls, false; }
    int calls = 0;
    plat::Timer timer{this};
  } a, b;
  a.timer.start(0);
  {
    FdSelectManager nested(true);
    b.timer.start(0);
    EXPECT_TRUE(nested.doEvents(-1));
    EXPECT_EQ(a.calls, 0);
    EXPECT_EQ(b.calls, 1);
  }
  EXPECT_TRUE(outer.doEvents(-1));
  EXPECT_EQ(a.calls, 1);
}

TEST(FdManager, ReadinessMarksAndTheirWithdrawal) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  Recorder h(-1, &log, "h"), stranger(-1, &log, "stranger");
  m.registerHandler(&h, true);
  m.markReady(&h, true, true);
  m.markReady(&stranger, true, true);  // not registered: ignored
  m.callHandlers();
  EXPECT_EQ(log, (std::vector<std::string>{"h:r", "h:w"}));

  // A write readiness withdrawn by the read callback of the same dispatch.
  log.clear();
  h.onRead = [&] { m.unmarkWritable(&h); };
  m.markReady(&h, true, true);
  m.callHandlers();
  EXPECT_EQ(log, std::vector<std::string>{"h:r"});

  // A handler marked ready by a write callback waits for the next dispatch.
  log.clear();
  h.onRead = nullptr;
  h.onWrite = [&] { m.markReady(&h, true, false); };
  m.markReady(&h, false, true);
  m.callHandlers();
  EXPECT_EQ(log, std::vector<std::string>{"h:w"});
  h.onWrite = nullptr;
  m.callHandlers();
  EXPECT_EQ(log, (std::vector<std::string>{"h:w", "h:r"}));

  // Withdrawing every read-like interest withdraws the read readiness.
  log.clear();
  m.markReady(&h, true, true);
  m.selectHandler(&h, false, true, false, false, false);
  m.callHandlers();
  EXPECT_EQ(log, std::vector<std::string>{"h:w"});
  m.registerHandler(&h, false);
  m.markReady(&h, true, true);
  m.callHandlers();
  EXPECT_EQ(log.size(), 1u);
}

TEST(FdManager, CloseFdsSparesTheKeptDescriptor) {
  FdSelectManager m(false);
  std::vector<std::string> log;
  int p[2], q[2];
  ASSERT_EQ(pipe2(p, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(q, O_CLOEXEC), 0);
  Recorder a(p[0], &log, "a"), b(q[0], &log, "b"), none(-1, &log, "none");
  for (Recorder* r : {&a, &b, &none}) m.registerHandler(r, true);
  m.closeFds(q[0]);
  EXPECT_EQ(fcntl(p[0], F_GETFD), -1);
  EXPECT_NE(fcntl(q[0], F_GETFD), -1);
  for (Recorder* r : {&a, &b, &none}) m.registerHandler(r, false);
  close(p[1]), close(q[0]), close(q[1]);
}
