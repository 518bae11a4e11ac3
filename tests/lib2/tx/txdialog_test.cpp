#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "tests/lib2/tx/XWait.h"
#include "tests/support/SignalStorm.h"
#include "tests/support/WindowManager.h"
#include "tests/support/XDrive.h"
#include "tests/support/XServer.h"

namespace {

// Paints itself in one pixel value and writes down the input reaching it.
struct Probe : wvw::Widget {
  Probe() : wvw::Widget(nullptr) { setSize(plat::Point(40, 30)); }
  void render(fb::WritablePixelBuffer* pb) override { fb::fillRect(pb, pb->getRect(), pixel); }
  plat::Point getMinSize() const override { return getSize(); }
  void pointerEvent(const plat::Point& p, int mask) override {
    seen += "ptr " + std::to_string(p.x) + "," + std::to_string(mask) + ";";
  }
  void keyEvent(unsigned keysym, bool) override { seen += "key " + std::to_string(keysym) + ";"; }
  unsigned pixel = 0xff0000;
  std::string seen;
};

// Runs fn ms after start on the manager current then, again if fn sets again.
struct Later : plat::Timer::Callback {
  Later(int ms, std::function<void()> f) : delay(ms), fn(std::move(f)) {}
  bool handleTimeout(plat::Timer*) override {
    again = false;
    fn();
    return again;
  }
  int delay;
  std::function<void()> fn;
  bool again = false;
  plat::Timer timer{this};
};

// Starts its steps when its loop begins, so they run on the loop's manager;
// Escape closes it.
struct Dialog : tx::TXDialog {
  Dialog() : tx::TXDialog(nullptr, "dialog", true) {}
  void initDialog() override {
    for (Later* step : steps) step->timer.start(step->delay);
  }
  bool handleKeyEvent(unsigned keysym, bool down, wvw::Widget*) override {
    if (keysym == fb::keysym::Escape && down) dismiss(false);
    return true;
  }
  std::vector<Later*> steps;
};

class TXDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  bool pumpUntil(const std::function<bool()>& done) { return txtest::pumpUntil(done, &outer); }
  // Sends an input event to w from another client; code is the keycode or
  // button (pointer events keep x, state and that in the same places).
  void sendFromOutside(Window w, int type, int x, unsigned state, unsigned code) {
    Display* other = XOpenDisplay(nullptr);
    XEvent ev{.xkey = {.type = type, .window = w, .x = x, .state = state, .keycode = code}};
    XSendEvent(other, w, False, 0, &ev);
    XCloseDisplay(other);
  }

  plat::TimerManager outer{true};
  Dialog dialog;
  Later guard{5000, [&] { dialog.dismiss(true); }};
};

TEST_F(TXDialogTest, OwnerGetsOnlyMotionWithoutButtonsAndEscapeEndsWithFalse) {
  Probe probe;
  tx::TXWParent owner(&probe, nullptr, false);
  owner.show(true);
  // Queued before the loop, handled inside it.
  sendFromOutside(owner.win(), KeyPress, 0, 0, XKeysymToKeycode(tx::dpy, 'a'));
  sendFromOutside(owner.win(), ButtonPress, 3, 0, Button1);
  sendFromOutside(owner.win(), MotionNotify, 4, Button1Mask, 0);
  sendFromOutside(owner.win(), MotionNotify, 5, 0, 0);
  // Queued right behind a motion that passes: not merged into it.
  sendFromOutside(owner.win(), MotionNotify, 6, Button1Mask, 0);
  sendFromOutside(dialog.win(), KeyPress, 0, 0, XKeysymToKeycode(tx::dpy, fb::keysym::Escape));
  dialog.steps = {&guard};
  EXPECT_FALSE(dialog.showCodeModal());
  EXPECT_EQ(probe.seen, "ptr 5,0;");
  EXPECT_TRUE(tx::modalWindows.empty());
}

// A nested loop is the modal one while it runs; a timer of the main loop that
// fell due runs only once both loops are over.
TEST_F(TXDialogTest, NestedLoopIsModalWhileOuterTimersWait) {
  bool outerRan = false;
  Later outerTimer(0, [&] { outerRan = true; });
  outerTimer.timer.start(0);
  Dialog inner;
  std::vector<TXWindow*> modal;
  Later innerStep(20, [&] {
    modal.push_back(tx::modalWindows.back());
    inner.dismiss(!outerRan);
  });
  inner.steps = {&innerStep};
  bool innerResult = false;
  Later step(0, [&] {
    innerResult = inner.showCodeModal();
    modal.push_back(tx::modalWindows.back());
    dialog.dismiss(false);
  });
  dialog.steps = {&step, &guard};
  EXPECT_FALSE(dialog.showCodeModal());
  EXPECT_TRUE(innerResult);
  EXPECT_EQ(modal, (std::vector<TXWindow*>{&inner, &dialog}));
  EXPECT_TRUE(pumpUntil([&] { return outerRan; }));
}

TEST_F(TXDialogTest, ExceptionFromAHandlerLeavesWithTheOuterManagerCurrent) {
  Later step(0, [] { throw plat::Exception("from a handler"); });
  dialog.steps = {&step};
  EXPECT_THROW(dialog.showCodeModal(), plat::Exception);
  EXPECT_EQ(plat::TimerManager::threadInstance(), &outer);
}

TEST_F(TXDialogTest, WindowInvalidatedDuringTheLoopIsRepaintedAfterIt) {
  Probe probe;
  tx::TXWParent host(&probe, nullptr, false);
  host.resizeToFit();
  host.show(true);
  ASSERT_TRUE(pumpUntil([&] { return txtest::shownAt(host.win(), 5, 5) == 0xff0000; }));
  Later step(0, [&] {
    probe.pixel = 0x0000ff;
    probe.invalidate();  // its render timer goes on the loop's manager
    dialog.dismiss(true);
  });
  dialog.steps = {&step};
  dialog.showCodeModal();
  EXPECT_TRUE(pumpUntil([&] { return txtest::shownAt(host.win(), 5, 5) == 0x0000ff; }));
}

TEST_F(TXDialogTest, InterruptedWaitsStillEndWhenTheTimerIsDue) {
  Later step(100, [&] { dialog.dismiss(true); });
  dialog.steps = {&step};
  gwtest::SignalStorm storm(500);
  EXPECT_TRUE(dialog.showCodeModal());
}

// In a child, on a server of its own that goes while the loop waits.
TEST_F(TXDialogTest, ServerLostDuringTheLoopEndsTheProcessWithStatusOne) {
  EXPECT_EXIT(
      {
        tx::dpy = nullptr;
        gwtest::XServer own;
        tx::openDisplay(own.name().c_str());
        Dialog lost;
        Later stop(10, [&] { own.stop(); });
        lost.steps = {&stop};
        lost.showCodeModal();
        exit(0);
      },
      testing::ExitedWithCode(1), "X connection to .* broken");
}

// As if closed; shown again, it returns at once rather than wait for good.
TEST_F(TXDialogTest, WindowAnotherClientDestroyedEndsTheLoopWithFalse) {
  Later step(0, [&] { gwtest::destroyFromOutside(dialog.win()); });
  dialog.steps = {&step, &guard};
  EXPECT_FALSE(dialog.showCodeModal());
  EXPECT_TRUE(dialog.isDestroyed());
  EXPECT_FALSE(dialog.showCodeModal());
}

TEST_F(TXDialogTest, CloseThroughTheWindowManagerReturnsFalse) {
  gwtest::WindowManager wm(gwtest::XServer::shared().name());
  // Once openbox manages the window (WM_STATE), it is asked to close it.
  Later step(5, [&] {
    int n = 0;
    Atom* props = XListProperties(tx::dpy, dialog.win(), &n);
    bool managed = std::find(props, props + n, tx::xaWM_STATE()) != props + n;
    XFree(props);
    step.again = !managed;
    if (step.again) return;
    XClientMessageEvent ev{ClientMessage, 0, False, nullptr, dialog.win()};
    ev.message_type = XInternAtom(tx::dpy, "_NET_CLOSE_WINDOW", False);
    ev.format = 32;
    XSendEvent(tx::dpy, DefaultRootWindow(tx::dpy), False, SubstructureRedirectMask,
               reinterpret_cast<XEvent*>(&ev));
  });
  dialog.steps = {&step, &guard};
  EXPECT_FALSE(dialog.showCodeModal());
}

}  // namespace
