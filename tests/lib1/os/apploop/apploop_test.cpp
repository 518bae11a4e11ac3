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

}  // namespace

TEST(AppLoopDeathTest, QuitWithoutALoopOrASecondLoopIsFatal) {
  EXPECT_DEATH(AppLoop::quit(0), "Assertion 'inst' failed");
  AppLoop loop;
  EXPECT_DEATH(AppLoop second, "Assertion '!inst' failed");
}

TEST(AppLoop, ExceptionFromACallbackLeavesTheLoopUsable) {
  AppLoop loop;
  Quitter thrower(-1);
  EXPECT_THROW(loop.run(), plat::Exception);
  Quitter quitter(0);
  EXPECT_EQ(loop.run(), 0);
}

// With nothing else to wait for, a quit that needed another wait would hang.
TEST(AppLoop, QuitFromATimerEndsWithoutAnotherWaitAndCancelsNothing) {
  AppLoop loop;
  Quitter first(8), second(8);
  EXPECT_EQ(loop.run(), 8);
  EXPECT_TRUE(first.ran && second.ran);
}

TEST(AppLoop, QuitInsideAModalLoopWakesTheLoopItEnds) {
  AppLoop loop;
  {
    io::FdSelectManager modal(true);  // a modal dialog's nested loop
    AppLoop::quit(6);
  }
  // Still pending on the main loop's own timers: its next wait ends at once.
  long long now;
  EXPECT_EQ(plat::TimerManager::threadInstance()->getNextTimeout(&now), 0);
}
