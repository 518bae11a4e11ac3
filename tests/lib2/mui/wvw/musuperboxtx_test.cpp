#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xlib.h>

#include <memory>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuSuperboxTx.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XDrive.h"
#include "tests/support/XServer.h"

namespace {

using gwtest::settle;
using mui::MuSuperbox;

// A super-box "server" in a layout "main" of the shown dialog "opts".
class MuSuperboxTxTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  MuSuperboxTxTest() {
    dialog->setPos({100, 80});
    dialog->show(true);
    settle();
  }
  mui::MuDialog* popup() const { return box->getPopup(); }
  TXWindow* popupWin() const { return popup()->getWinPtr(); }
  // A press of button at (x, y) of the popup window, as the server reports
  // it to the window that holds the pointer.
  void pressOnPopup(unsigned button, int x, int y) {
    XEvent ev{};
    ev.xbutton.type = ButtonPress;
    ev.xbutton.window = popupWin()->win();
    ev.xbutton.button = button;
    ev.xbutton.x = x;
    ev.xbutton.y = y;
    XSendEvent(tx::dpy, popupWin()->win(), False, 0, &ev);
    settle();
  }

  plat::TimerManager outer{true};
  gwtest::WvwBackEnd backEnd;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("opts", "Opts", {300, 200}, 0, nullptr, nullptr)};
  mui::MuLayout* main = mui::muLayout(dialog.get(), "main", mui::MuLayout::Vertical);
  MuSuperbox* box = mui::muSuperbox(main, "server", "Server:", nullptr, 60);
};

TEST_F(MuSuperboxTxTest, TheOpenPopupSitsUnderTheRowAndHoldsPointerAndKeyboard) {
  EXPECT_STREQ(popup()->getId(), "opts_main_server_popup");
  box->showPopup(true);
  settle();
  plat::Rect row = box->getComboboxRect();
  plat::Point at = box->getAbsolutePos() + plat::Point(row.tl.x, row.br.y);
  EXPECT_TRUE(popup()->isShown());
  EXPECT_EQ(popupWin()->getPosition(), at);
  EXPECT_EQ(popup()->getSize(), plat::Point(row.width(), 60));
  EXPECT_EQ(TXWindow::grabPointerWin, popupWin());
  EXPECT_EQ(TXWindow::grabKeyboardWin, popupWin());
  box->showPopup(false);
  EXPECT_EQ(TXWindow::grabPointerWin, nullptr);
  EXPECT_EQ(TXWindow::grabKeyboardWin, nullptr);
}

TEST_F(MuSuperboxTxTest, APressOfTheFirstThreeButtonsOutsideThePopupClosesIt) {
  const struct {
    const char* name;
    unsigned button;
    int x, y;
    bool closes;
  } rows[] = {
      {"left, above", 1, 10, -3, true},        {"right, beyond", 3, 500, 10, true},
      {"middle, on the edge", 2, 0, 60, true}, {"left, inside", 1, 5, 5, false},
      {"wheel up, outside", 4, -5, -5, false}, {"wheel down, outside", 5, -5, -5, false},
  };
  for (const auto& r : rows) {
    box->showPopup(true);
    settle();
    pressOnPopup(r.button, r.x, r.y);
    // The window itself may go a moment later (a dialog's hide waits for
    // the last configure); the grab goes at once.
    EXPECT_EQ(TXWindow::grabPointerWin == popupWin(), !r.closes) << r.name;
    EXPECT_EQ(TXWindow::grabKeyboardWin == popupWin(), !r.closes) << r.name;
    box->showPopup(false);
  }
}

TEST_F(MuSuperboxTxTest, ABoxDestroyedWithItsPopupOpenLetsTheGrabGo) {
  box->showPopup(true);
  settle();
  dialog.reset();
  EXPECT_EQ(TXWindow::grabPointerWin, nullptr);
  EXPECT_EQ(TXWindow::grabKeyboardWin, nullptr);
}

}  // namespace
