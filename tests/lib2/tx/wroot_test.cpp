#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/extensions/XTest.h>

#include <memory>
#include <new>
#include <string>

#include "lib1/plat/TimerManager.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWParent.h"
#include "lib2/tx/TXWRoot.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChoice.h"
#include "lib2/wvw/WMenuItem.h"
#include "lib2/wvw/WRootMenu.h"
#include "lib2/wvw/WText.h"
#include "tests/lib2/tx/XWait.h"
#include "tests/support/XServer.h"

namespace {

using txtest::pumpUntil;

class TXWRootTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { tx::openDisplay(gwtest::XServer::shared().name().c_str()); }
  static void pressAndRelease(plat::Point at) {
    XTestFakeMotionEvent(tx::dpy, -1, at.x, at.y, 0);
    XTestFakeButtonEvent(tx::dpy, 1, True, 0);
    XSync(tx::dpy, False);  // the press is queued once the server has answered
    tx::handleXEvents();
    XTestFakeButtonEvent(tx::dpy, 1, False, 0);
  }
  plat::TimerManager timers{true};
  tx::TXWRoot* root = tx::TXWRoot::inst();
};

TEST_F(TXWRootTest, PressOutsideAGrabbingMenuTakesItDownAndTellsIt) {
  wvw::WRootMenu menu(root);
  wvw::WMenuItem item(&menu, "Copy", false);
  const plat::Point at(100, 100), size = menu.getSize();
  const std::pair<plat::Point, bool> rows[] = {
      {{0, 0}, false}, {{size.x, 1}, true}, {{1, size.y}, true}, {{-1, 1}, true}};
  for (auto [press, closes] : rows) {
    menu.show(at, nullptr);
    pressAndRelease(at + press);
    EXPECT_EQ(menu.isVisible(), !closes) << press.x << "," << press.y;
    EXPECT_EQ(root->popupOf(&menu) == nullptr, closes);
    menu.hide();
  }
}

// End to end: once its drop-down went on a press outside it, a choice's
// button takes Return again and opens the menu anew instead of picking from
// the menu that is no longer shown.
TEST_F(TXWRootTest, ChoiceWhoseMenuWentOutsideOpensItAgainOnReturn) {
  wvw::WChoice choice(nullptr, false, false, 255);
  choice.addItem(1, "Full");
  choice.addItem(2, "View only");
  choice.setStr("View only");
  tx::TXWParent host(&choice, nullptr, false);
  host.resizeToFit();
  host.show(true);
  ASSERT_TRUE(pumpUntil([&] { return host.hasImage(); }));
  choice.handleClick(choice.getButton());
  choice.getMenu()->focusNext();
  pressAndRelease(plat::Point(900, 700));
  ASSERT_FALSE(choice.getMenu()->isVisible());
  for (bool down : {true, false}) choice.getButton()->keyEvent(fb::keysym::Return, down);
  EXPECT_STREQ(choice.getStr(), "View only");
  EXPECT_TRUE(choice.getMenu()->isVisible() && root->popupOf(choice.getMenu()));
  choice.getMenu()->hide();
}

// End to end: a field's edit menu holds the keyboard while it is up, so an
// Escape reaches it although the field's window has the focus, and takes it
// down; the keys then go where they went before.
TEST_F(TXWRootTest, EscapeTakesAnEditMenuDownAndTheKeysGoBackToTheField) {
  wvw::WText text(20, "abc", true);
  tx::TXWParent host(&text, nullptr, false);
  host.resize(plat::Point(100, 24));
  host.show(true);
  ASSERT_TRUE(pumpUntil([&] { return host.hasImage(); }));
  host.setInputFocus(CurrentTime);
  text.select(1, -1);
  plat::Point at = host.getPosition() + plat::Point(5, 5);
  XTestFakeMotionEvent(tx::dpy, -1, at.x, at.y, 0);
  for (bool down : {true, false}) XTestFakeButtonEvent(tx::dpy, 3, down, 0);
  ASSERT_TRUE(
      pumpUntil([&] { return text.getEditMenu() && text.getEditMenu()->menu()->isVisible(); }));
  wvw::WRootMenu* menu = text.getEditMenu()->menu();
  ASSERT_TRUE(pumpUntil([&] { return menu->hasFocus(); }));
  auto key = [](KeySym k) {
    for (bool down : {true, false})
      XTestFakeKeyEvent(tx::dpy, XKeysymToKeycode(tx::dpy, k), down, 0);
  };
  key(XK_Escape);
  EXPECT_TRUE(pumpUntil([&] { return !menu->isVisible() && !root->popupOf(menu); }));
  key(XK_x);
  EXPECT_TRUE(pumpUntil([&] { return std::string(text.getText()) == "ax"; }));
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
