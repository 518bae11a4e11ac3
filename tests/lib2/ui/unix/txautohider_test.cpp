#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.

#include <vector>

#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/ui/unix/TXAutoHider.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/XServer.h"

namespace {

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

// A popup of the window's own that grabs the pointer makes the window's
// Leave with the pointer where it was, on the window.
TEST_F(TXAutoHiderTest, ALeaveThatFindsThePointerStillOnTheWindowKeepsItShown) {
  ui::TXAutoHider h(ui::AutoHider::kBottom, 4, nullptr);
  h.setWindow(&win);
  h.attachToParent(&parent);
  cross(&win, LeaveNotify, 10, 5);
  EXPECT_TRUE(h.isShown());
  cross(&win, LeaveNotify, 40, 5);  // just right of the window, in the parent
  EXPECT_FALSE(h.isShown());
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
