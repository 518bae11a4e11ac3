#include "lib1/os/AppLoop.h"

#include <gtest/gtest.h>

#include "lib1/plat/Exception.h"

using os::AppLoop;

namespace {

// Quits with the code at the next turn (throws for a negative code).
struct Quitter : plat::Timer::Callback {
  explicit Quitter(int exitCode) : code(exitCode) { timer.start(0); }
  bool handleTimeout(plat::Timer*) override {
    ran = true;
    if (code < 0) throw plat::Exception("callback failed");
    AppLoop::quit(code);
    return false;
  }
  int code;
  bool ran = false;
  plat::Timer timer{this};
};

// A derived loop with its own implementation, as the window layer builds
// one: it counts its turns and keeps the shared manager and the quit flag.
struct CountingImpl : os::AppLoopImpl {
  int run() override {
    while (!quitRequested_) {
      turns++;
      fdMgr_->doEvents(-1);
    }
    return AppLoop::exitCode;
  }
  int turns = 0;
};

struct CountingLoop : AppLoop {
  CountingLoop() : AppLoop(0) { impl_ = std::unique_ptr<os::AppLoopImpl>(counting); }
  CountingImpl* counting = new CountingImpl;
};

}  // namespace

TEST(AppLoopDeathTest, QuitWithoutALoopOrASecondLoopIsFatal) {
  EXPECT_DEATH(AppLoop::quit(0), "Assertion 'inst' failed");
  AppLoop loop;
  EXPECT_DEATH(CountingLoop second, "Assertion '!inst' failed");
}

TEST(AppLoop, ExceptionFromACallbackLeavesTheLoopUsable) {
  AppLoop loop;
  Quitter thrower(-1);
  EXPECT_THROW(loop.run(), plat::Exception);
  Quitter quitter(0);
  EXPECT_EQ(loop.run(), 0);
}

TEST(AppLoop, QuitFromATimerEndsWithoutAnotherWaitAndCancelsNothing) {
  CountingLoop loop;
  Quitter first(8), second(8);
  EXPECT_EQ(loop.run(), 8);
  EXPECT_EQ(loop.counting->turns, 1);
  EXPECT_TRUE(first.ran && second.ran);
}

TEST(AppLoop, LoopsComeAndGoOverOneManager) {
  io::FdManager* first;
  {
    CountingLoop loop;
    first = io::FdManager::threadInstance();
    AppLoop::quit(9);
  }
  EXPECT_EQ(AppLoop::inst, nullptr);
  EXPECT_EQ(AppLoop::exitCode, 9);  // kept until the next quit
  CountingLoop again;
  EXPECT_EQ(io::FdManager::threadInstance(), first);
  Quitter quitter(4);
  EXPECT_EQ(again.run(), 4);  // a fresh quit flag: it turned until told
}

TEST(AppLoop, QuitInsideAModalLoopWakesTheLoopItEnds) {
  CountingLoop loop;
  {
    io::FdSelectManager modal(true);  // a modal dialog's nested loop
    AppLoop::quit(6);
  }
  // Still pending on the main loop's own timers: its next wait ends at once.
  long long now;
  EXPECT_EQ(plat::TimerManager::threadInstance()->getNextTimeout(&now), 0);
}
