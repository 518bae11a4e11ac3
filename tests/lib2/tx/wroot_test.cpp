#include <gtest/gtest.h>

#include <memory>
#include <new>

#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWPopup.h"
#include "lib2/tx/TXWRoot.h"
#include "tests/support/XServer.h"

namespace {

class Plain : public wvw::Widget {
 public:
  Plain() : wvw::Widget(nullptr) { setSize(plat::Point(30, 20)); }
  void render(fb::WritablePixelBuffer*) override {}
  plat::Point getMinSize() const override { return plat::Point(30, 20); }
};

class TXWRootTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
  tx::TXWRoot* root = tx::TXWRoot::inst();
};

TEST_F(TXWRootTest, ShowingAgainMovesTheOneWindowAndHidingDestroysIt) {
  Plain w;
  root->showPopup(&w, true, false, plat::Point(10, 20));
  tx::TXWPopup* first = root->popupOf(&w);
  ASSERT_NE(first, nullptr);
  root->showPopup(&w, true, false, plat::Point(50, 60));
  EXPECT_EQ(root->popupOf(&w), first);
  EXPECT_EQ(first->getPosition(), plat::Point(50, 60));
  EXPECT_EQ(first->size(), plat::Point(30, 20));
  root->showPopup(&w, false, false, plat::Point());
  EXPECT_EQ(root->popupOf(&w), nullptr);
  EXPECT_FALSE(w.isStarted());
  root->showPopup(&w, false, false, plat::Point());  // no popup: nothing
}

TEST_F(TXWRootTest, GrabHeldElsewhereStaysThere) {
  TXWindow holder(10, 10, nullptr, 0, true);
  holder.map();
  ASSERT_TRUE(holder.grabPointer(true, None));
  Plain w;
  root->showPopup(&w, true, true, plat::Point(0, 0));
  EXPECT_EQ(TXWindow::grabPointerWin, &holder);
  root->showPopup(&w, false, false, plat::Point());
  EXPECT_EQ(TXWindow::grabPointerWin, &holder);
  holder.grabPointer(false, None);
}

// At exit the widgets of popups still up may be gone; the root must not
// reach into them (AddressSanitizer reports it if it does).
TEST_F(TXWRootTest, PopupsLeftAtExitTouchNoFreedWidget) {
  EXPECT_EXIT(
      {
        tx::dpy = XOpenDisplay(nullptr);  // the parent's connection stays untouched
        auto storage = std::make_unique<unsigned char[]>(sizeof(Plain));
        Plain* w = new (storage.get()) Plain;
        tx::TXWRoot::inst()->showPopup(w, true, true, plat::Point(5, 5));
        storage.reset();  // gone without a word to the root
        exit(0);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
