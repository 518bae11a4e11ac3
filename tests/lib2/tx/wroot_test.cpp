#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/extensions/XTest.h>

#include <memory>
#include <new>

#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWRoot.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WMenuItem.h"
#include "lib2/wvw/WRootMenu.h"
#include "tests/support/XServer.h"

namespace {

class TXWRootTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
  plat::TimerManager timers{true};
  tx::TXWRoot* root = tx::TXWRoot::inst();
};

TEST_F(TXWRootTest, PressOutsideAGrabbingMenuTakesItDownAndTellsIt) {
  wvw::WRootMenu menu(root);
  wvw::WMenuItem item(&menu, "Copy", false);
  const plat::Point at(100, 100), size = menu.getSize();
  struct Row {
    plat::Point press;
    bool closes;
  } rows[] = {{{0, 0}, false}, {{size.x, 1}, true}, {{1, size.y}, true}, {{-1, 1}, true}};
  for (const Row& r : rows) {
    menu.show(at, nullptr);
    XTestFakeMotionEvent(tx::dpy, -1, at.x + r.press.x, at.y + r.press.y, 0);
    XTestFakeButtonEvent(tx::dpy, 1, True, 0);
    XSync(tx::dpy, False);  // the press is queued once the server has answered
    tx::handleXEvents();
    EXPECT_EQ(menu.isVisible(), !r.closes) << r.press.x << "," << r.press.y;
    EXPECT_EQ(root->popupOf(&menu) == nullptr, r.closes);
    XTestFakeButtonEvent(tx::dpy, 1, False, 0);
    menu.hide();
  }
}

// The root must not reach into widgets gone before it (ASan reports it).
TEST_F(TXWRootTest, PopupsLeftAtExitTouchNoFreedWidget) {
  EXPECT_EXIT(
      {
        // A connection of its own; the parent's stays untouched, and reachable.
        [[maybe_unused]] static Display* parent = std::exchange(tx::dpy, XOpenDisplay(nullptr));
        auto storage = std::make_unique<unsigned char[]>(sizeof(wvw::WCanvas));
        tx::TXWRoot::inst()->showPopup(new (storage.get()) wvw::WCanvas, true, true,
                                       plat::Point(5, 5));
        storage.reset();  // gone without a word to the root
        exit(0);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
