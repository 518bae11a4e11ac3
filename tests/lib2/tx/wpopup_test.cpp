#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/extensions/XTest.h>

#include <chrono>

#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWPopup.h"
#include "lib2/tx/TXWRoot.h"
#include "lib2/wvw/WMenuItem.h"
#include "lib2/wvw/WRootMenu.h"
#include "tests/support/XServer.h"

namespace {

class TXWPopupTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
  // Serves X events and timers until the menu's popup is up (or gone).
  bool pumpUntilShown(bool shown) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((root->popupOf(&menu) != nullptr) != shown) {
      if (std::chrono::steady_clock::now() > end) return false;
      XSync(tx::dpy, False);
      tx::handleXEvents();
      timers.checkTimeouts();
    }
    return true;
  }
  void click(plat::Point at) {
    XTestFakeMotionEvent(tx::dpy, -1, at.x, at.y, 0);
    XTestFakeButtonEvent(tx::dpy, 1, True, 0);
    XTestFakeButtonEvent(tx::dpy, 1, False, 0);
    XSync(tx::dpy, False);
  }
  // A synthetic press at p of the popup, as the grab would deliver it.
  void press(tx::TXWPopup* popup, plat::Point p) {
    XEvent ev{};
    ev.xbutton = XButtonEvent{ButtonPress, 0, False, tx::dpy, popup->win()};
    ev.xbutton.x = p.x;
    ev.xbutton.y = p.y;
    ev.xbutton.button = 1;
    popup->handleXEvent(&ev, nullptr);
  }

  plat::TimerManager timers{true};
  tx::TXWRoot* root = tx::TXWRoot::inst();
  wvw::WRootMenu menu{root};
  wvw::WMenuItem item{&menu, "Copy", false};
};

TEST_F(TXWPopupTest, PressOutsideAGrabbingMenuTakesItDownAndTellsIt) {
  menu.show(plat::Point(100, 100), nullptr);
  ASSERT_TRUE(menu.isVisible());
  ASSERT_EQ(TXWindow::grabPointerWin, root->popupOf(&menu));
  click(plat::Point(300, 300));
  ASSERT_TRUE(pumpUntilShown(false));
  EXPECT_FALSE(menu.isVisible());
  EXPECT_EQ(TXWindow::grabPointerWin, nullptr);
}

TEST_F(TXWPopupTest, PressesAtTheEdgesCountAsInsideOrOutside) {
  const plat::Point size = menu.getSize();
  struct Row {
    plat::Point at;
    bool grab, closes;
  } rows[] = {{{0, 0}, true, false},
              {{size.x - 1, size.y - 1}, true, false},
              {{size.x, 1}, true, true},
              {{1, size.y}, true, true},
              {{-1, 1}, true, true},
              {{size.x + 5, 1}, false, false}};  // a tooltip's press is any other event
  for (const Row& r : rows) {
    root->showPopup(&menu, true, r.grab, plat::Point(10, 10));
    press(root->popupOf(&menu), r.at);
    EXPECT_EQ(root->popupOf(&menu) == nullptr, r.closes) << r.at.x << "," << r.at.y;
    root->showPopup(&menu, false, false, plat::Point());
  }
}

}  // namespace
