// Dialogs of the X11 back-end as openbox handles them, driven through XTEST.
#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/keysym.h>

#include <memory>
#include <string>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/lib2/mui/wvw/XDriver.h"
#include "tests/support/WindowManager.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"

namespace {

using mui::MuDialog;
using xdriver::settleUntil;

class MuDialogTxWmTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    wm = new gwtest::WindowManager(gwtest::XServer::shared().name());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  static void TearDownTestSuite() { delete wm; }

  static std::unique_ptr<MuDialog> dialog(int flags) {
    return std::unique_ptr<MuDialog>(mui::muDialog("d", "D", {200, 160}, flags, nullptr, nullptr));
  }

  static gwtest::WindowManager* wm;
  plat::TimerManager outer{true};
  gwtest::WvwBackEnd backEnd;
};

gwtest::WindowManager* MuDialogTxWmTest::wm = nullptr;

// Rows moved about as the permissions editor moves its tick rows: the key
// goes to the window the window manager focused, and Tab steps down the
// rows as they stand on screen.
TEST_F(MuDialogTxWmTest, TabStepsDownReorderedRows) {
  auto d = dialog(0);
  mui::MuLayout* column = mui::muLayout(d.get(), "column", mui::MuLayout::Vertical);
  std::vector<mui::MuElement*> rows;
  for (const char* id : {"a", "b", "c", "d"})
    rows.push_back(mui::muCheck(column, id, id, mui::MuCheck::Normal, nullptr, nullptr));
  column->reorderChild(rows[3], mui::MuLayout::Before, rows[1]);
  column->reorderChild(rows[0], mui::MuLayout::ToEnd, nullptr);
  column->reorderChild(rows[0], mui::MuLayout::ToStart, nullptr);
  d->show(true);
  Window w = d->getWinPtr()->win();
  ASSERT_TRUE(settleUntil([&] { return xdriver::managed(w) && xdriver::focused(w); }));
  rows[0]->focus();
  auto focusedRow = [&]() -> std::string {
    for (mui::MuElement* e : rows)
      if (e->hasFocus()) return e->getId();
    return "-";
  };
  std::string visited;
  for (size_t i = 0; i < rows.size(); i++) {
    std::string at = focusedRow();
    visited += at;
    xdriver::type(XK_Tab);
    EXPECT_TRUE(settleUntil([&] { return focusedRow() != at; })) << visited;
  }
  EXPECT_EQ(visited, "adbc");
}

}  // namespace
