// Driving the dialogs of these tests on the test X server as a person and a
// window manager would: events are pumped until a condition holds, with a
// time-out so that a lost event fails the test instead of hanging it; keys
// are typed through XTEST; what the window manager did shows in the
// windows' properties and in the input focus. Needs the display open, which
// WmSuite does for its suites, with openbox running.
#pragma once

#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "lib1/plat/Timer.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/WindowManager.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"

namespace xdriver {

// Handles every event the server has sent so far.
inline void settle() {
  XSync(tx::dpy, False);
  tx::handleXEvents();
}

// Handles events, and the current manager's timers, until done() or 5 s
// have passed.
inline bool settleUntil(const std::function<bool()>& done) {
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5); !done();) {
    if (std::chrono::steady_clock::now() > end) return false;
    settle();
    plat::TimerManager::threadInstance()->checkTimeouts();
  }
  return true;
}

// The window manager has taken w on (it wrote WM_STATE).
inline bool managed(Window w) {
  int n = 0;
  Atom* props = XListProperties(tx::dpy, w, &n);
  bool found = props && std::find(props, props + n, tx::xaWM_STATE()) != props + n;
  if (props) XFree(props);
  return found;
}

inline bool focused(Window w) {
  Window f;
  int revert;
  XGetInputFocus(tx::dpy, &f, &revert);
  return f == w;
}

// A key pressed and released as by a person.
inline void type(KeySym keysym) {
  KeyCode code = XKeysymToKeycode(tx::dpy, keysym);
  XTestFakeKeyEvent(tx::dpy, code, True, 0);
  XTestFakeKeyEvent(tx::dpy, code, False, 0);
  XFlush(tx::dpy);
}

// Runs step every ms milliseconds on the manager current when start() is
// called (a modal loop's, from inside it) until step returns false.
struct Poll : plat::Timer::Callback {
  bool handleTimeout(plat::Timer*) override { return step(); }
  void start(int ms = 5) { timer.start(ms); }
  std::function<bool()> step;
  plat::Timer timer{this};
};

// A suite of dialog tests on the shared test server under openbox, each
// case with the back end installed and a main loop's timer manager.
class WmSuite : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    wm = new gwtest::WindowManager(gwtest::XServer::shared().name());
  }
  static void TearDownTestSuite() {
    delete wm;
    wm = nullptr;
  }

  static inline gwtest::WindowManager* wm = nullptr;
  plat::TimerManager outer{true};
  gwtest::WvwBackEnd backEnd;
  std::vector<std::string> log;
};

}  // namespace xdriver
