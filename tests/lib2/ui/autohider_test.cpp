#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.

#include <string>
#include <vector>

#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/ui/AutoHider.h"
#include "lib2/ui/TXAutoHider.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/XServer.h"

namespace {

using Edge = ui::AutoHider::Edge;

// Writes down the notifications as "+" (start) or "-" (end) and the target.
struct Notes : ui::AutoHider::Callback {
  void autoHiderNotify(bool animating, bool shown, ui::AutoHider*) override {
    seen.push_back(std::string(animating ? "+" : "-") + (shown ? "show" : "hide"));
  }
  std::vector<std::string> seen;
};

// A hider moving nothing but a recorded position.
struct FakeHider : ui::AutoHider, ui::AutoHider::Widget {
  FakeHider(Edge edge, int visible, plat::Point sz, Callback* cb = nullptr)
      : AutoHider(edge, visible, cb), own(sz) {
    widget_ = this;
  }
  void move(const plat::Point& p) override { pos = p; }
  plat::Point size() override { return own; }
  plat::Point parentSize() override { return parent; }
  bool yAxisUp() override { return up; }
  plat::Point own, parent{200, 100}, pos{-999, -999};
  bool up = false;
};

TEST(AutoHider, PlacesTheWindowOnItsEdge) {
  struct Row {
    const char* name;
    Edge edge;
    bool up;
    plat::Point shown, hidden;
  } rows[] = {
      {"top", ui::AutoHider::kTop, false, {80, 0}, {80, -16}},
      {"bottom", ui::AutoHider::kBottom, false, {80, 80}, {80, 96}},
      {"bottom with y up", ui::AutoHider::kBottom, true, {80, 0}, {80, -16}},
      {"top with y up", ui::AutoHider::kTop, true, {80, 80}, {80, 96}},
      {"left", ui::AutoHider::kLeft, false, {0, 40}, {-36, 40}},
      {"right", ui::AutoHider::kRight, false, {160, 40}, {196, 40}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    FakeHider h(r.edge, 4, {40, 20});
    h.up = r.up;
    h.show(true, 0);
    EXPECT_EQ(h.pos, r.shown);
    h.show(false, 0);
    EXPECT_EQ(h.pos, r.hidden);
  }
  FakeHider wide(ui::AutoHider::kTop, 4, {300, 20});
  wide.reposition();
  EXPECT_EQ(wide.pos.x, 0) << "a window wider than its parent starts at its left side";
  FakeHider tiny(ui::AutoHider::kLeft, 4, {3, 3});
  EXPECT_EQ(tiny.hideAmount(), 1) << "a window no larger than the strip still moves";
}

TEST(AutoHider, AtOnceNotifiesStartThenEnd) {
  Notes notes;
  FakeHider h(ui::AutoHider::kBottom, 4, {40, 40}, &notes);
  h.show(false, 0);
  EXPECT_EQ(notes.seen, (std::vector<std::string>{"+hide", "-hide"}));
  EXPECT_EQ(h.offset(), 36);
}

TEST(AutoHider, SlidesOutInAboutTheDurationAndBackFromMidway) {
  gwtest::DrivenClock clock;
  Notes notes;
  FakeHider h(ui::AutoHider::kBottom, 4, {40, 40}, &notes);
  h.show(false, -1);
  EXPECT_EQ(h.timerPeriod(), 20) << "300 ms over 36 px ticks no faster than every 20 ms";
  clock.advance(100);
  int midway = h.offset();
  EXPECT_GT(midway, 0);
  EXPECT_LT(midway, 36);
  h.show(true, -1);
  clock.advance(20);
  EXPECT_LT(h.offset(), midway) << "a reversal starts from where the window is";
  clock.advance(400);
  EXPECT_EQ(h.offset(), 0);
  EXPECT_EQ(h.timerPeriod(), 0) << "the timer stops at the end";
  EXPECT_EQ(notes.seen, (std::vector<std::string>{"+hide", "+show", "-show"}));
}

TEST(AutoHider, ALongStallFinishesTheMovementInOneStep) {
  gwtest::DrivenClock clock;
  Notes notes;
  FakeHider h(ui::AutoHider::kRight, 4, {1004, 20}, &notes);
  h.parent = {2000, 100};
  {
    // A modal loop's own manager holds the timer while 40 minutes pass.
    plat::TimerManager held(true);
    h.show(false, 300);
    clock.advance(40 * 60 * 1000);
    held.checkTimeouts();
  }
  EXPECT_EQ(h.offset(), 1000);
  EXPECT_EQ(notes.seen.back(), "-hide");
}

TEST(AutoHider, PreviewShowsAtOnceThenHidesWithTheDefaultDuration) {
  gwtest::DrivenClock clock;
  FakeHider h(ui::AutoHider::kTop, 4, {40, 20});
  h.show(false, 0);
  h.preview(500);
  EXPECT_EQ(h.offset(), 0);
  clock.advance(499);
  EXPECT_EQ(h.offset(), 0);
  clock.advance(1 + 400);
  EXPECT_EQ(h.offset(), 16);

  h.setLocked(true);
  h.preview(500);
  EXPECT_EQ(h.offset(), 16) << "locked: nothing moves";
  EXPECT_TRUE(h.isPreviewing()) << "locked: the preview timer still starts";
}

// The X11 binding, against the test server.
struct Recorder : TXEventHandler {
  void handleEvent(TXWindow*, XEvent* ev) override { types.push_back(ev->type); }
  std::vector<int> types;
};

class TXAutoHiderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { tx::openDisplay(gwtest::XServer::shared().name().c_str()); }
  void SetUp() override {
    parent.setEventHandler(&parentOld);
    win.setEventHandler(&winOld);
  }
  // A crossing event of w at (x, y) relative to it, through its dispatch.
  static void cross(TXWindow* w, int type, int x, int y, Window sub = 0) {
    XEvent ev{};
    ev.xcrossing.type = type;
    ev.xcrossing.display = tx::dpy;
    ev.xcrossing.window = w->win();
    ev.xcrossing.subwindow = sub;
    ev.xcrossing.x = x;
    ev.xcrossing.y = y;
    w->handleXEvent(&ev, nullptr);
  }

  gwtest::DrivenClock clock;
  Recorder parentOld, winOld, otherOld;
  TXWindow parent{200, 100, nullptr, 0, false};
  TXWindow other{200, 100, nullptr, 0, false};
  TXWindow win{40, 20, nullptr, 0, false};
};

TEST_F(TXAutoHiderTest, PointerSlidesTheWindowAndEventsReachTheOldHandlers) {
  ui::TXAutoHider h(ui::AutoHider::kBottom, 4, nullptr);
  h.setWindow(&win);
  h.attachToParent(&parent);
  EXPECT_EQ(h.position(), plat::Point(80, 80));
  EXPECT_EQ(win.eventMask() & (EnterWindowMask | LeaveWindowMask),
            EnterWindowMask | LeaveWindowMask);

  cross(&win, LeaveNotify, 10, 25);  // below the parent, towards the screen edge
  EXPECT_TRUE(h.isShown()) << "leaving across the outer border keeps it shown";
  cross(&win, LeaveNotify, 10, -5);  // up into the parent
  EXPECT_FALSE(h.isShown());
  cross(&win, EnterNotify, 10, 10);
  EXPECT_TRUE(h.isShown());
  EXPECT_EQ(winOld.types, (std::vector<int>{LeaveNotify, LeaveNotify, EnterNotify}));

  h.preview(500);
  cross(&parent, EnterNotify, 5, 5);
  EXPECT_TRUE(h.isShown()) << "entering the parent does not cut a preview short";
  EXPECT_TRUE(h.isPreviewing());
  clock.advance(500);
  cross(&parent, EnterNotify, 5, 5);
  EXPECT_FALSE(h.isShown());
  EXPECT_EQ(parentOld.types.size(), 2u);
}

TEST_F(TXAutoHiderTest, HandlersAndMasksGoBackOnReattachAndOnDestruction) {
  other.setEventHandler(&otherOld);
  long parentMask = parent.eventMask();
  {
    ui::TXAutoHider h(ui::AutoHider::kLeft, 4, nullptr);
    h.setWindow(&win);
    h.attachToParent(&parent);
    h.attachToParent(&other);
    EXPECT_EQ(parent.setEventHandler(&parentOld), &parentOld) << "the old parent has its handler";
    EXPECT_EQ(parent.eventMask(), parentMask) << "and its event mask";
    EXPECT_EQ(h.position(), plat::Point(0, 40)) << "placed in the new parent";
  }
  EXPECT_EQ(win.setEventHandler(&winOld), &winOld);
  EXPECT_EQ(other.setEventHandler(&otherOld), &otherOld);
}

TEST_F(TXAutoHiderTest, AttachingBeforeTheWindowIsSetIsFatal) {
  EXPECT_DEATH(
      {
        ui::TXAutoHider h(ui::AutoHider::kTop, 4, nullptr);
        h.attachToParent(&parent);
      },
      "attachToParent before setWindow");
}

}  // namespace
