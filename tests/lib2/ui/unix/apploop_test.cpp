#include "lib2/ui/unix/AppLoop.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "lib1/plat/Exception.h"
#include "lib1/plat/Timer.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXDisplay.h"
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

// True once the thread is blocked (the loop's wait is its only block).
bool sleeping(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line((std::istreambuf_iterator<char>(stat)), {});
  return line.find(") S ") != std::string::npos;
}

TEST(AppLoop, XEventFromAnotherClientWakesTheWait) {
  gwtest::XServer::shared();
  ui::AppLoop loop;
  TXWindow w(10, 10, nullptr, 0, false);
  Quitter quitter(7);
  w.setEventHandler(&quitter);
  Quitter guard(99);
  plat::Timer timeout(&guard);
  plat::TimerManager::threadInstance()->start(&timeout, 10000);  // only a guard
  pid_t loopThread = pid_t(syscall(SYS_gettid));
  std::thread sender([&] {
    Display* other = XOpenDisplay(nullptr);
    while (!sleeping(loopThread)) std::this_thread::yield();
    XEvent ev{.xclient = {.type = ClientMessage, .window = w.win(), .format = 32}};
    XSendEvent(other, w.win(), False, 0, &ev);
    XCloseDisplay(other);
  });
  EXPECT_EQ(loop.run(), 7);
  sender.join();
}

TEST(AppLoop, TimerWakesTheWait) {
  gwtest::XServer::shared();
  ui::AppLoop loop;
  Quitter quitter(4);
  plat::Timer timer(&quitter);
  plat::TimerManager::threadInstance()->start(&timer, 20);
  EXPECT_EQ(loop.run(), 4);
}

// In a child, which forgets the connection it inherits; none answers on the second.
TEST(AppLoop, NoDisplayOrARefusingOneIsAnErrorAndLeavesNoLoop) {
  for (std::string display : {std::string(), ":" + std::to_string(60000 + getpid() % 5000)}) {
    EXPECT_EXIT(
        {
          tx::dpy = nullptr;
          display.empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", display.c_str(), 1);
          try {
            ui::AppLoop loop;
          } catch (plat::Exception& e) {
            fprintf(stderr, "%s\n", e.str());
            exit(os::AppLoop::inst ? 2 : 1);
          }
          exit(0);
        },
        testing::ExitedWithCode(1), "unable to open display \"" + display + "\"");
  }
}

TEST(AppLoop, DisplayGoingAwayMidRunEndsWithStatusOne) {
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
