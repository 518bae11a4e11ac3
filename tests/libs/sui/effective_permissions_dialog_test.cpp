#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/MsgId.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"
#include "lib2/tx/TXUtil.h"
#include "libs/sui/EffectivePermissionsDialog.h"
#include "libs/svr/Permissions.h"
#include "tests/libs/sui/EffectiveRows.h"
#include "tests/libs/sui/ToolFeatures.h"
#include "tests/support/DialogGolden.h"
#include "tests/support/FakeMui.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"
// Xlib last: its macros None and Success would rename names of gtest and
// of the dialog model.
#include "tests/support/XDrive.h"

namespace {

using sui::EffectivePermissionsDialog;

// The tool's eight features in English, with the back-end B installed.
template <class B>
class WithFeatures : public ::testing::Test {
 protected:
  std::string rowsShowing(const char* image) { return suitest::rowsShowing(*dialog, image); }

  suitest::ToolFeatures features;
  B backEnd;
  std::optional<EffectivePermissionsDialog> dialog{std::in_place};
};

using EffectivePermissionsDialogTest = WithFeatures<gwtest::FakeMui>;

TEST_F(EffectivePermissionsDialogTest, EveryFeatureShowsWhetherTheSetAllowsIt) {
  const struct {
    const char* name;
    const char* text;
    const char* accepted;
    const char* refused;
  } sets[] = {
      {"view-only", "v", "View", "Keyboard,Mouse,Clipboard,Chat,File transfer,Printing,No query"},
      {"normal", "d", "View,Keyboard,Mouse,Clipboard,Chat,File transfer,Printing", "No query"},
      {"administrative", "f", "View,Keyboard,Mouse,Clipboard,Chat,File transfer,Printing,No query",
       ""},
      {"custom with a denied letter", "skc!p", "View,Keyboard,Clipboard",
       "Mouse,Chat,File transfer,Printing,No query"},
  };
  // Shown again and again: each show fills the rows afresh.
  for (const auto& s : sets) {
    EXPECT_TRUE(dialog->show(svr::Permissions(s.text))) << s.name;
    EXPECT_EQ(rowsShowing("accept"), s.accepted) << s.name;
    EXPECT_EQ(rowsShowing("deny"), s.refused) << s.name;
    EXPECT_TRUE(gwtest::fake(dialog->getDialog()).shown) << s.name;
  }
}

TEST_F(EffectivePermissionsDialogTest, OkHidesTheDialogAndItShowsAgain) {
  dialog->show(svr::Permissions("v"));
  dialog->getOkButton()->dispatchEvent(dialog->getOkButton(), mui::MuEventClicked);
  EXPECT_FALSE(gwtest::fake(dialog->getDialog()).shown);
  dialog->show(svr::Permissions("f"));
  EXPECT_TRUE(gwtest::fake(dialog->getDialog()).shown);
}

// Its dialog used to stay behind, listed among the live dialogs for good.
TEST_F(EffectivePermissionsDialogTest, TheDialogGoesWithTheObject) {
  const auto& live = mui::Mui::get()->getDialogs();
  ASSERT_EQ(live.size(), 1u);
  dialog.reset();
  EXPECT_TRUE(live.empty());
}

class EffectivePermissionsDialogLook : public WithFeatures<gwtest::WvwBackEnd> {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  plat::TimerManager outer{true};
};

TEST_F(EffectivePermissionsDialogLook, MatchesTheGoldenImage) {
  dialog->show(svr::Permissions("skc!p"));
  ASSERT_TRUE(gwtest::settleUntil([&] { return dialog->getDialog()->isShown(); }));
  EXPECT_TRUE(
      gwtest::dialogMatchesGolden(dialog->getDialog(), GW_GOLDEN_DIR "/effective_permissions.png"));
}

}  // namespace
