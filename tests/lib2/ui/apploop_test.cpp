#include "lib2/ui/AppLoop.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "lib1/plat/Exception.h"
#include "lib1/plat/Timer.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/XServer.h"

namespace {

// Quits the loop with code when the event or the timer comes.
struct Quitter : TXEventHandler, plat::Timer::Callback {
  explicit Quitter(int c) : code(c) {}
  void handleEvent(TXWindow*, XEvent* ev) override {
    if (ev->type == ClientMessage) os::AppLoop::quit(code);
  }
  bool handleTimeout(plat::Timer*) override {
    os::AppLoop::quit(code);
    return false;
  }
  int code;
};

class AppLoopTest : public testing::Test {
 protected:
  void SetUp() override { gwtest::XServer::shared(); }
};

TEST_F(AppLoopTest, QuitBeforeRunReturnsTheCodeAtOnce) {
  ui::AppLoop loop;
  os::AppLoop::quit(3);
  EXPECT_EQ(loop.run(), 3);
}

// True once the thread is blocked (the loop's wait is its only block).
bool sleeping(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line;
  std::getline(stat, line);
  size_t paren = line.rfind(')');
  return paren != std::string::npos && line.compare(paren + 2, 1, "S") == 0;
}

TEST_F(AppLoopTest, XEventFromAnotherClientWakesTheWait) {
  ui::AppLoop loop;
  TXWindow w(10, 10, nullptr, 0, false);
  Quitter quitter(7);
  w.setEventHandler(&quitter);
  XSync(tx::dpy, False);
  // Only a guard against a loop that never wakes.
  Quitter guard(99);
  plat::Timer timeout(&guard);
  plat::TimerManager::threadInstance()->start(&timeout, 10000);
  pid_t loopThread = pid_t(syscall(SYS_gettid));
  std::thread sender([&] {
    Display* other = XOpenDisplay(nullptr);
    while (!sleeping(loopThread)) std::this_thread::yield();
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w.win();
    ev.xclient.format = 32;
    XSendEvent(other, w.win(), False, 0, &ev);
    XCloseDisplay(other);
  });
  EXPECT_EQ(loop.run(), 7);
  sender.join();
}

TEST_F(AppLoopTest, TimerWakesTheWait) {
  ui::AppLoop loop;
  Quitter quitter(4);
  plat::Timer timer(&quitter);
  plat::TimerManager::threadInstance()->start(&timer, 20);
  EXPECT_EQ(loop.run(), 4);
}

// The cases below run in a child, which forgets any connection it inherits.
TEST_F(AppLoopTest, DeferredLoopServesTimersWithoutADisplay) {
  EXPECT_EXIT(
      {
        tx::dpy = nullptr;
        unsetenv("DISPLAY");
        ui::AppLoopImpl::deferOpenDisplay();
        ui::AppLoop loop;
        Quitter quitter(5);
        plat::Timer timer(&quitter);
        plat::TimerManager::threadInstance()->start(&timer, 0);
        exit(tx::dpy ? 2 : loop.run());
      },
      testing::ExitedWithCode(5), "");
}

TEST_F(AppLoopTest, FailedOpenIsAnErrorAndLeavesNoLoopBehind) {
  EXPECT_EXIT(
      {
        tx::dpy = nullptr;
        unsetenv("DISPLAY");
        try {
          ui::AppLoop loop;
        } catch (plat::Exception& e) {
          fprintf(stderr, "%s\n", e.str());
          exit(os::AppLoop::inst ? 2 : 1);
        }
        exit(0);
      },
      testing::ExitedWithCode(1), "unable to open display");
}

TEST_F(AppLoopTest, DisplayGoingAwayMidRunEndsWithStatusOne) {
  EXPECT_EXIT(
      {
        tx::dpy = nullptr;
        gwtest::XServer own;
        ui::AppLoop loop;
        own.stop();
        loop.run();
      },
      testing::ExitedWithCode(1), "X connection to .* broken");
}

}  // namespace
