#include "lib1/os/AppLoop.h"

#include <gtest/gtest.h>

#include <functional>

#include "lib1/plat/Exception.h"

using os::AppLoop;

namespace {

struct Action : plat::Timer::Callback {
  explicit Action(std::function<bool()> f) : fn(std::move(f)) {}
  bool handleTimeout(plat::Timer*) override { return fn(); }
  std::function<bool()> fn;
  plat::Timer timer{this};
};

// Quits the loop with the code at the next turn.
struct Quitter : Action {
  explicit Quitter(int code)
      : Action([code] {
          AppLoop::quit(code);
          return false;
        }) {
    timer.start(0);
  }
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
  io::FdSelectManager* manager() { return fdMgr_; }
};

struct CountingLoop : AppLoop {
  CountingLoop() : AppLoop(0) {
    impl_ = std::make_unique<CountingImpl>();
    counting = static_cast<CountingImpl*>(impl_.get());
  }
  CountingImpl* counting;
};

}  // namespace

TEST(AppLoopDeathTest, QuitWithoutALoopIsFatal) {
  EXPECT_DEATH(AppLoop::quit(0), "Assertion 'inst' failed");
}

TEST(AppLoopDeathTest, SecondLoopIsFatal) {
  AppLoop loop;
  EXPECT_DEATH(CountingLoop second, "Assertion '!inst' failed");
}

TEST(AppLoop, QuitBeforeRunEndsRunAtOnceAndStays) {
  AppLoop loop;
  AppLoop::quit(3);
  EXPECT_EQ(loop.run(), 3);
  EXPECT_EQ(loop.run(), 3);  // the flag is never cleared
}

TEST(AppLoop, ExceptionFromACallbackLeavesTheLoopUsable) {
  AppLoop loop;
  Action thrower([]() -> bool { throw plat::Exception("callback failed"); });
  thrower.timer.start(0);
  EXPECT_THROW(loop.run(), plat::Exception);
  Quitter quitter(0);
  EXPECT_EQ(loop.run(), 0);
}

TEST(AppLoop, QuitFromATimerEndsWithoutAnotherWaitAndCancelsNothing) {
  CountingLoop loop;
  bool otherRan = false;
  Quitter quitter(8);
  Action other([&] {
    otherRan = true;
    return false;
  });
  other.timer.start(0);
  EXPECT_EQ(loop.run(), 8);
  EXPECT_EQ(loop.counting->turns, 1);
  EXPECT_TRUE(otherRan);
}

TEST(AppLoop, LoopsComeAndGoOverOneManager) {
  io::FdSelectManager* first;
  {
    CountingLoop loop;
    EXPECT_EQ(AppLoop::inst, &loop);
    first = loop.counting->manager();
    EXPECT_EQ(io::FdManager::threadInstance(), first);
    AppLoop::quit(9);
  }
  EXPECT_EQ(AppLoop::inst, nullptr);
  EXPECT_EQ(AppLoop::exitCode, 9);  // kept until the next quit
  CountingLoop again;
  EXPECT_EQ(again.counting->manager(), first);
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
  EXPECT_EQ(loop.counting->manager()->timerManager()->getNextTimeout(&now), 0);
}
