#include "lib1/os/AppLoop.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "lib1/plat/Exception.h"
#include "lib1/plat/TimerManager.h"

using os::AppLoop;
using os::AppLoopImpl;

namespace {

struct Action : plat::Timer::Callback {
  explicit Action(std::function<bool()> f) : fn(std::move(f)) {}
  bool handleTimeout(plat::Timer*) override { return fn(); }
  std::function<bool()> fn;
  plat::Timer timer{this};
};

// A derived loop that brings its own implementation, as the window layer's
// does: it counts its turns and keeps the shared manager and quit flag.
struct CountingImpl : AppLoopImpl {
  int run() override {
    while (!quitRequested) {
      turns++;
      fdMgr->doEvents(-1);
    }
    return AppLoop::exitCode;
  }
  io::FdSelectManager* manager() { return fdMgr; }
  int turns = 0;
};

struct CountingLoop : AppLoop {
  CountingLoop() : AppLoop(0) { impl = counting = new CountingImpl; }
  CountingImpl* counting;
};

}  // namespace

TEST(AppLoopDeathTest, QuitWithoutALoopIsFatal) {
  EXPECT_DEATH(AppLoop::quit(0), "Assertion 'inst' failed");
}

TEST(AppLoop, QuitBeforeRunReturnsAtOnce) {
  AppLoop loop;
  EXPECT_EQ(AppLoop::inst, &loop);
  AppLoop::quit(3);
  EXPECT_EQ(loop.run(), 3);
  EXPECT_EQ(loop.run(), 3);  // the flag is never cleared
}

TEST(AppLoop, LastQuitOfATurnWins) {
  AppLoop loop;
  Action a([] {
    AppLoop::quit(1);
    AppLoop::quit(0);
    return false;
  });
  a.timer.start(0);
  EXPECT_EQ(loop.run(), 0);
}

TEST(AppLoop, QuitFromATimerEndsWithoutAnotherWaitAndCancelsNothing) {
  CountingLoop loop;
  bool otherRan = false;
  Action quitter([] {
    AppLoop::quit(7);
    return false;
  });
  Action other([&] { return otherRan = true, false; });
  quitter.timer.start(0);
  other.timer.start(0);
  EXPECT_EQ(loop.run(), 7);
  EXPECT_EQ(loop.counting->turns, 1);
  EXPECT_TRUE(otherRan);  // due in the same turn: still served
}

TEST(AppLoop, ServesDescriptorsUntilAHandlerQuits) {
  AppLoop loop;
  int p[2];
  ASSERT_EQ(pipe2(p, O_CLOEXEC), 0);
  struct Reader : io::FdHandler {
    void fdReadable() override {
      char c;
      if (read(fd, &c, 1) == 1 && c == 'q') AppLoop::quit(5);
    }
  } reader;
  reader.fd = p[0];
  io::FdManager* m = io::FdManager::threadInstance();
  ASSERT_NE(m, nullptr);
  m->registerHandler(&reader, true);
  m->selectHandler(&reader, true, false, false, false, false);
  Action writer([&] { return write(p[1], "q", 1) != 1; });
  writer.timer.start(1);
  EXPECT_EQ(loop.run(), 5);
  m->registerHandler(&reader, false);
  close(p[0]), close(p[1]);
}

TEST(AppLoop, ExceptionLeavesRunAndTheLoopStaysUsable) {
  AppLoop loop;
  Action thrower([]() -> bool { throw plat::Exception("callback failed"); });
  thrower.timer.start(0);
  EXPECT_THROW(loop.run(), plat::Exception);
  AppLoop::quit(2);
  EXPECT_EQ(loop.run(), 2);
}

TEST(AppLoop, LoopsComeAndGoOverOneManager) {
  io::FdSelectManager* first;
  {
    CountingLoop loop;
    first = loop.counting->manager();
    EXPECT_EQ(io::FdManager::threadInstance(), first);
    EXPECT_EQ(plat::TimerManager::threadInstance(), first->timerManager());
    AppLoop::quit(9);
    EXPECT_EQ(loop.run(), 9);
  }
  EXPECT_EQ(AppLoop::inst, nullptr);
  EXPECT_EQ(AppLoop::exitCode, 9);  // kept until the next quit
  CountingLoop again;
  EXPECT_EQ(again.counting->manager(), first);
  // A fresh quit flag: the loop turns until told again.
  Action quitter([] {
    AppLoop::quit(4);
    return false;
  });
  quitter.timer.start(0);
  EXPECT_EQ(again.run(), 4);
  EXPECT_EQ(again.counting->turns, 1);
}

TEST(AppLoopDeathTest, OneLoopAtATimeAndTheMainTimerManagerStays) {
  AppLoop loop;
  EXPECT_DEATH(AppLoop second, "Assertion '!inst' failed");
  EXPECT_DEATH(CountingLoop second, "Assertion '!inst' failed");
  // The loop's manager is the process's main timer manager for good.
  EXPECT_DEATH(plat::TimerManager another(false), "Assertion 'nested \\|\\| !thrInst' failed");
}
