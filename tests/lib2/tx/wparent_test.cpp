#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "lib1/plat/TimerManager.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWParent.h"
#include "lib2/tx/TXWRoot.h"
#include "tests/lib2/tx/XWait.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/XServer.h"

namespace {

namespace ks = fb::keysym;

// Paints itself in one pixel value and writes down what reaches it.
class Probe : public wvw::Widget {
 public:
  Probe() : wvw::Widget(nullptr) { setSize(plat::Point(40, 30)); }
  void render(fb::WritablePixelBuffer* pb) override {
    renders++;
    fb::fillRect(pb, pb->getRect(), pixel);
  }
  plat::Point getMinSize() const override { return plat::Point(40, 30); }
  void keyEvent(unsigned keysym, bool down) override {
    bool shift = getParent() && getParent()->isKeyPressed(ks::Shift_L);
    seen.push_back((down ? "+" : "-") + std::string(XKeysymToString(keysym)) + (shift ? "S" : ""));
  }
  unsigned pixel = 0xff0000;
  int renders = 0;
  std::vector<std::string> seen;
};

class TXWParentTest : public testing::Test {
 protected:
  // Before the fixture's members: the host needs the display.
  static void SetUpTestSuite() { tx::openDisplay(gwtest::XServer::shared().name().c_str()); }
  void SetUp() override { host.resizeToFit(); }
  bool pumpUntil(const std::function<bool()>& done) { return txtest::pumpUntil(done, &timers); }
  unsigned long shownAt(int x, int y) { return txtest::shownAt(host.win(), x, y); }
  // An input event at (x, y) for to; pointer events keep the state in the same place.
  static void send(tx::TXWParent* to, int type, unsigned state, unsigned code, int x = 0,
                   int y = 0) {
    XEvent ev{.xkey = {type, 0, False, tx::dpy, to->win(), 0, 0, 0, x, y, 0, 0, state, code}};
    to->handleXEvent(&ev, nullptr);
  }

  plat::TimerManager timers{true};
  Probe probe;
  tx::TXWParent host{&probe, nullptr, false};
};

TEST_F(TXWParentTest, ShownTreeIsPaintedThenRepaintedOnceForABurst) {
  probe.invalidate();  // unmapped: dropped
  host.show(true);
  ASSERT_TRUE(pumpUntil([&] { return shownAt(5, 5) == 0xff0000; }));
  int before = probe.renders;
  probe.pixel = 0x0000ff;
  for (int i = 0; i < 5; i++) probe.invalidate(fb::Region(fb::RgnRect(0, 0, 10 + i, 10)));
  ASSERT_TRUE(pumpUntil([&] { return shownAt(5, 5) == 0x0000ff; }));
  EXPECT_EQ(probe.renders, before + 1);
  EXPECT_EQ(shownAt(20, 20), 0xff0000u);  // outside the dirty region
  host.show(false);
  EXPECT_FALSE(host.hasImage());
  EXPECT_FALSE(probe.isStarted());
}

TEST_F(TXWParentTest, KeysReachTheChildPairedAndReleasedOnFocusLoss) {
  host.show(true);
  unsigned a = XKeysymToKeycode(tx::dpy, 'a'), b = XKeysymToKeycode(tx::dpy, 'b');
  send(&host, KeyPress, 0, b);
  send(&host, KeyPress, 0, a);
  send(&host, KeyPress, 0, a);  // auto-repeat
  EXPECT_TRUE(host.isKeyPressed('a'));
  send(&host, KeyRelease, ShiftMask, 0);  // never pressed here: dropped
  send(&host, FocusOut, 0, 0);
  send(&host, KeyRelease, 0, a);  // already released by the focus loss
  std::vector<std::string> expected{"+b", "+a", "+a", "-b", "-a"};
  if (a < b) std::swap(expected[3], expected[4]);  // lowest keycode first
  EXPECT_EQ(probe.seen, expected);
  EXPECT_FALSE(host.isKeyPressed('a'));
}

TEST_F(TXWParentTest, LeftTabWithoutShiftStateStillReadsAsShiftTab) {
  host.show(true);
  // A spare keycode that gives ISO_Left_Tab with no modifier held.
  int low = 0, high = 0;
  XDisplayKeycodes(tx::dpy, &low, &high);
  KeySym leftTab = ks::ISO_Left_Tab;
  XChangeKeyboardMapping(tx::dpy, high, 1, &leftTab, 1);
  XSync(tx::dpy, False);
  XMappingEvent changed{MappingNotify, 0, False, tx::dpy, 0, MappingKeyboard, high, 1};
  XRefreshKeyboardMapping(&changed);
  send(&host, KeyPress, 0, high);
  EXPECT_EQ(probe.seen, (std::vector<std::string>{"+Shift_LS", "+TabS", "-Shift_L"}));
  EXPECT_TRUE(host.isKeyPressed(ks::Tab));
  EXPECT_FALSE(host.isKeyPressed(ks::Shift_L));
}

TEST_F(TXWParentTest, ReplacedChildIsStoppedAndTheNewOnePainted) {
  host.show(true);
  Probe next;
  next.pixel = 0x00ff00;
  host.setChild(&next);
  EXPECT_FALSE(probe.isStarted());
  EXPECT_TRUE(pumpUntil([&] { return shownAt(5, 5) == 0x00ff00; }));
  host.setChild(nullptr);  // hides the window and stops next
}

TEST_F(TXWParentTest, TipShowsAfterARestAndGoesWithMotionHidingOrItsHost) {
  probe.setTipText("tip");
  for (int how : {0, 1, 2}) {  // motion, hiding the window, destroying the host
    gwtest::DrivenClock clock;
    auto other = std::make_unique<tx::TXWParent>(&probe, nullptr, true);
    other->resizeToFit();
    other->show(true);
    send(other.get(), MotionNotify, 0, 0, 5 + how, 6);  // the pointer moves in each round
    clock.advance(499);
    EXPECT_FALSE(tx::TXWRoot::inst()->popupOf(other->tooltip()));
    clock.advance(1);
    ASSERT_TRUE(tx::TXWRoot::inst()->popupOf(other->tooltip()));
    EXPECT_EQ(other->tooltip()->getPosition(), other->getPosition() + plat::Point(7 + how, 22));
    const wvw::WTooltip* tip = other->tooltip();
    if (how == 0) send(other.get(), MotionNotify, 0, 0, 9, 9);
    if (how == 1) other->show(false);
    if (how == 2) other.reset();
    EXPECT_EQ(tx::TXWRoot::inst()->popupOf(tip), nullptr) << how;
  }
}

}  // namespace
