#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/keysym.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/fb/Draw.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/SignalStorm.h"
#include "tests/support/WindowManager.h"
#include "tests/support/XServer.h"

namespace {

// Paints itself in one pixel value and writes down the input reaching it.
class Probe : public wvw::Widget {
 public:
  Probe() : wvw::Widget(nullptr) { setSize(plat::Point(40, 30)); }
  void render(fb::WritablePixelBuffer* pb) override { fb::fillRect(pb, pb->getRect(), pixel); }
  plat::Point getMinSize() const override { return plat::Point(40, 30); }
  void pointerEvent(const plat::Point& p, int mask) override {
    seen.push_back("ptr " + std::to_string(p.x) + "," + std::to_string(mask));
  }
  void keyEvent(unsigned keysym, bool down) override {
    seen.push_back("key " + std::to_string(keysym) + (down ? " down" : " up"));
  }
  unsigned pixel = 0xff0000;
  std::vector<std::string> seen;
};

// Runs fn once, ms after start, on the manager current at start.
struct Later : plat::Timer::Callback {
  explicit Later(std::function<void()> f) : fn(std::move(f)) {}
  void start(int ms) { timer.start(ms); }
  bool handleTimeout(plat::Timer*) override {
    fn();
    return false;
  }
  std::function<void()> fn;
  plat::Timer timer{this};
};

// A dialog whose loop runs what the test gives it, and which Escape closes.
class Dialog : public tx::TXDialog {
 public:
  explicit Dialog(TXWindow* owner = nullptr) : tx::TXDialog(owner, "dialog", true) {}
  std::function<void()> onInit;
  std::vector<std::unique_ptr<Later>> laters;
  void after(int ms, std::function<void()> fn) {
    laters.push_back(std::make_unique<Later>(std::move(fn)));
    laters.back()->start(ms);
  }

 private:
  void initDialog() override {
    if (onInit) onInit();
  }
  bool handleKeyEvent(unsigned keysym, bool down, wvw::Widget*) override {
    if (keysym == XK_Escape && down) dismiss(false);
    return true;
  }
};

class TXDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  // Pumps X events and the outer timers until done() or 5 s have passed.
  bool pumpUntil(const std::function<bool()>& done) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      XSync(tx::dpy, False);
      tx::handleXEvents();
      outer.checkTimeouts();
    }
    return true;
  }
  unsigned long shownAt(TXWindow* w, int x, int y) {
    XImage* im = XGetImage(tx::dpy, w->win(), x, y, 1, 1, AllPlanes, ZPixmap);
    unsigned long p = XGetPixel(im, 0, 0) & 0xffffff;
    XDestroyImage(im);
    return p;
  }
  // Sends ev to w from another client, as input from the server would come.
  void sendFromOutside(Window w, XEvent ev) {
    if (!other) other = XOpenDisplay(nullptr);
    ev.xany.window = w;
    XSendEvent(other, w, False, 0, &ev);
    XSync(other, False);
  }
  XEvent key(unsigned keysym) {
    XEvent ev{};
    ev.xkey.type = KeyPress;
    ev.xkey.keycode = XKeysymToKeycode(tx::dpy, keysym);
    return ev;
  }
  XEvent pointer(int type, int x, unsigned state) {
    XEvent ev{};
    ev.xbutton.type = type;
    ev.xbutton.x = x;
    ev.xbutton.state = state;
    ev.xbutton.button = Button1;
    return ev;
  }
  void TearDown() override {
    if (other) XCloseDisplay(other);
  }

  plat::TimerManager outer{true};
  Display* other = nullptr;
};

TEST_F(TXDialogTest, OwnerGetsMotionButNoKeysOrButtonsWhileEscapeEndsTheLoopWithFalse) {
  Probe probe;
  tx::TXWParent owner(&probe, nullptr, false);
  owner.show(true);
  Dialog dialog(&owner);
  // Queued before the loop, handled inside it.
  sendFromOutside(owner.win(), key(XK_a));
  sendFromOutside(owner.win(), pointer(ButtonPress, 3, 0));
  sendFromOutside(owner.win(), pointer(MotionNotify, 4, Button1Mask));
  sendFromOutside(owner.win(), pointer(MotionNotify, 5, 0));
  sendFromOutside(dialog.win(), key(XK_Escape));
  dialog.after(5000, [&] { dialog.dismiss(true); });  // only a guard
  EXPECT_FALSE(dialog.showCodeModal());
  EXPECT_EQ(probe.seen, std::vector<std::string>{"ptr 5,0"});
  EXPECT_TRUE(tx::modalWindows.empty());
}

TEST_F(TXDialogTest, LoopRunsItsOwnTimersWhileOuterOnesWait) {
  bool outerFired = false, outerFiredInLoop = true;
  Later outerTimer([&] { outerFired = true; });
  outerTimer.start(0);
  Dialog dialog;
  dialog.onInit = [&] {
    dialog.after(20, [&] {
      outerFiredInLoop = outerFired;
      dialog.dismiss(true);
    });
  };
  EXPECT_TRUE(dialog.showCodeModal());
  EXPECT_FALSE(outerFiredInLoop);
  EXPECT_EQ(plat::TimerManager::threadInstance(), &outer);
  EXPECT_TRUE(pumpUntil([&] { return outerFired; }));
}

TEST_F(TXDialogTest, ExceptionFromAHandlerLeavesWithTheOuterManagerCurrent) {
  Dialog dialog;
  dialog.onInit = [&] { dialog.after(0, [] { throw plat::Exception("from a handler"); }); };
  EXPECT_THROW(dialog.showCodeModal(), plat::Exception);
  EXPECT_EQ(plat::TimerManager::threadInstance(), &outer);
  dialog.dismiss(false);
  EXPECT_TRUE(tx::modalWindows.empty());
}

TEST_F(TXDialogTest, NestedLoopMakesTheNewerDialogModalUntilItEnds) {
  Dialog first, second;
  std::vector<TXWindow*> modal;
  second.onInit = [&] {
    second.after(0, [&] {
      modal.push_back(tx::modalWindows.back());
      second.dismiss(true);
    });
  };
  bool secondResult = false;
  first.onInit = [&] {
    first.after(0, [&] {
      secondResult = second.showCodeModal();
      modal.push_back(tx::modalWindows.back());
      first.dismiss(false);
    });
  };
  EXPECT_FALSE(first.showCodeModal());
  EXPECT_TRUE(secondResult);
  EXPECT_EQ(modal, (std::vector<TXWindow*>{&second, &first}));
}

TEST_F(TXDialogTest, WindowInvalidatedDuringTheLoopIsRepaintedAfterIt) {
  Probe probe;
  tx::TXWParent host(&probe, nullptr, false);
  host.resizeToFit();
  host.show(true);
  ASSERT_TRUE(pumpUntil([&] { return shownAt(&host, 5, 5) == 0xff0000; }));
  Dialog dialog;
  dialog.onInit = [&] {
    dialog.after(0, [&] {
      probe.pixel = 0x0000ff;
      probe.invalidate();  // its render timer goes on the loop's manager
      dialog.dismiss(true);
    });
  };
  dialog.showCodeModal();
  EXPECT_TRUE(pumpUntil([&] { return shownAt(&host, 5, 5) == 0x0000ff; }));
}

TEST_F(TXDialogTest, InterruptedWaitsStillEndWhenTheTimerIsDue) {
  Dialog dialog;
  dialog.onInit = [&] { dialog.after(100, [&] { dialog.dismiss(true); }); };
  gwtest::SignalStorm storm(500);
  EXPECT_TRUE(dialog.showCodeModal());
  EXPECT_GT(gwtest::SignalStorm::count(), 0);
}

TEST_F(TXDialogTest, DestroyedWhileShownStopsItsCanvasFirst) {
  auto dialog = std::make_unique<Dialog>();
  dialog->show();
  EXPECT_TRUE(dialog->getCanvas()->isStarted());
  dialog.reset();  // the canvas must not die started (a fatal assertion)
}

TEST_F(TXDialogTest, CloseThroughTheWindowManagerReturnsFalse) {
  gwtest::WindowManager wm(gwtest::XServer::shared().name());
  Dialog dialog;
  bool asked = false;
  // Once openbox manages the window (WM_STATE), ask it to close it.
  std::function<void()> closeWhenManaged = [&] {
    std::vector<unsigned char> state;
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(tx::dpy, dialog.win(), tx::xaWM_STATE(), 0, 2, False, AnyPropertyType, &type,
                       &format, &n, &after, &data);
    if (data) XFree(data);
    if (n == 0) return dialog.after(5, closeWhenManaged);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = dialog.win();
    ev.xclient.message_type = XInternAtom(tx::dpy, "_NET_CLOSE_WINDOW", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[1] = 2;  // from a pager or similar tool
    XSendEvent(tx::dpy, DefaultRootWindow(tx::dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    asked = true;
  };
  dialog.onInit = [&] {
    dialog.after(0, closeWhenManaged);
    dialog.after(10000, [&] { dialog.dismiss(true); });  // only a guard
  };
  EXPECT_FALSE(dialog.showCodeModal());
  EXPECT_TRUE(asked);
}

}  // namespace
