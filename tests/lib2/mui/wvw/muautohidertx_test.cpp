#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/extensions/XTest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuAutoHiderTx.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/WindowManager.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"

namespace {

// Writes down the notifications as "+" (start) or "-" (end) and the target.
struct Notes : ui::AutoHider::Callback {
  void autoHiderNotify(bool animating, bool shown, ui::AutoHider*) override {
    seen.push_back(std::string(animating ? "+" : "-") + (shown ? "show" : "hide"));
  }
  bool heard(const char* note) const { return !seen.empty() && seen.back() == note; }
  std::vector<std::string> seen;
};

// A window 100 x 40 docked at the bottom of a 400 x 300 parent, 4 pixels of
// it left in sight when hidden.
class MuAutoHiderTxTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  // Handles X events and due timers until done() or 5 s have passed.
  bool pumpUntil(const std::function<bool()>& done) {
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5); !done();) {
      if (std::chrono::steady_clock::now() > end) return false;
      XSync(tx::dpy, False);
      tx::handleXEvents();
      timers.checkTimeouts();
    }
    return true;
  }
  // Where the server has the window inside its parent, and in which parent.
  static plat::Point placeOf(Window w, Window* parentWin = nullptr) {
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    XQueryTree(tx::dpy, w, &root, &parent, &children, &n);
    if (children) XFree(children);
    if (parentWin) *parentWin = parent;
    XWindowAttributes a;
    XGetWindowAttributes(tx::dpy, w, &a);
    return plat::Point(a.x, a.y);
  }
  // Moves the pointer to (x, y) of the parent window.
  void pointTo(int x, int y) {
    int rx, ry;
    Window child;
    XTranslateCoordinates(tx::dpy, parent.win(), DefaultRootWindow(tx::dpy), x, y, &rx, &ry,
                          &child);
    XTestFakeMotionEvent(tx::dpy, -1, rx, ry, 0);
    XSync(tx::dpy, False);
  }
  std::unique_ptr<mui::MuAutoHider> make(ui::AutoHider::Callback* callback) {
    return std::unique_ptr<mui::MuAutoHider>(
        mui::muAutoHider("dock", {100, 40}, ui::AutoHider::kBottom, 4, callback));
  }

  plat::TimerManager timers{true};
  gwtest::WvwBackEnd backEnd;
  TXWindow parent{400, 300, nullptr, 0, false};
};

const plat::Point kShownAt(150, 260), kHiddenAt(150, 296);

TEST_F(MuAutoHiderTxTest, AttachingDocksTheDialogsWindowAtItsEdgeAndShowsIt) {
  Notes notes;
  auto hider = make(&notes);
  ASSERT_NE(dynamic_cast<mui::MuAutoHiderTx*>(hider.get()), nullptr) << "the binding's kind";
  EXPECT_EQ(hider->getWinPtr(), hider->get()->getWinPtr());
  Window w = hider->getWinPtr()->win();
  hider->attachToParent(&parent);
  Window in = 0;
  EXPECT_EQ(placeOf(w, &in), kShownAt);
  EXPECT_EQ(in, parent.win());
  EXPECT_TRUE(hider->get()->isShown());
  hider->show(false, 0);
  EXPECT_EQ(placeOf(w), kHiddenAt);
  EXPECT_EQ(notes.seen, (std::vector<std::string>{"+hide", "-hide"}));
}

TEST_F(MuAutoHiderTxTest, MarginAndKeysReachTheDialog) {
  struct : mui::ActionKeyCallback {
    bool handleActionKey(mui::ActionKey, mui::MuDialog*) override { return ++keys, true; }
    int keys = 0;
  } keys;
  auto hider = make(nullptr);
  hider->setMargin(7);
  EXPECT_EQ(hider->get()->getInset(), 7);
  hider->setActionKeyCallback(&keys);
  EXPECT_TRUE(hider->get()->handleActionKey(mui::ActionKeyEscape));
  EXPECT_EQ(keys.keys, 1);
}

// Destroyed in mid-slide, the element stops its timers and gives the parent
// its handler back before its dialog goes.
TEST_F(MuAutoHiderTxTest, DestroyedWhileSlidingLeavesNothingBehind) {
  struct Recorder : TXEventHandler {
    void handleEvent(TXWindow*, XEvent*) override { events++; }
    int events = 0;
  } old;
  parent.setEventHandler(&old);
  auto hider = make(nullptr);
  hider->attachToParent(&parent);
  hider->show(false, 1000);
  hider.reset();
  EXPECT_EQ(parent.setEventHandler(nullptr), &old);
  EXPECT_EQ(timers.getNextTimeout(nullptr), -1) << "no timer left pending";
}

TEST_F(MuAutoHiderTxTest, ThePointerSlidesTheWindowOutOfSightAndBackIn) {
  gwtest::WindowManager wm(gwtest::XServer::shared().name());
  parent.toplevel("Parent", nullptr, nullptr);
  parent.setUSPosition({100, 100}, true);
  parent.toplevelShow();
  ASSERT_TRUE(pumpUntil([&] {
    XWindowAttributes a;
    return XGetWindowAttributes(tx::dpy, parent.win(), &a) && a.map_state == IsViewable;
  })) << "openbox shows the parent";
  XTestFakeMotionEvent(tx::dpy, -1, 1010, 750, 0);  // away from the parent
  Notes notes;
  auto hider = make(&notes);
  hider->setDefaultAnimTime(150);
  Window w = hider->getWinPtr()->win();
  hider->attachToParent(&parent);

  pointTo(200, 280);  // on the window
  ASSERT_TRUE(pumpUntil([&] { return notes.heard("-show"); })) << "entering keeps it in";
  pointTo(200, 100);  // up into the parent
  EXPECT_TRUE(pumpUntil([&] { return placeOf(w) == kHiddenAt; })) << "slid out";
  EXPECT_TRUE(notes.heard("-hide"));
  EXPECT_FALSE(hider->isShown());
  pointTo(200, 298);  // onto the strip left in sight
  EXPECT_TRUE(pumpUntil([&] { return placeOf(w) == kShownAt; })) << "slid back in";
  EXPECT_TRUE(notes.heard("-show"));
}

}  // namespace
