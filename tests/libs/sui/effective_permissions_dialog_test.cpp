#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/MsgId.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWParent.h"
#include "libs/sui/EffectivePermissionsDialog.h"
#include "libs/svr/Permissions.h"
#include "tests/libs/sui/ToolFeatures.h"
#include "tests/support/FakeMui.h"
#include "tests/support/Golden.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"

namespace {

using sui::EffectivePermissionsDialog;

// The tool's eight features in English, with the back-end B installed.
template <class B>
class WithFeatures : public ::testing::Test {
 protected:
  // The names of the rows whose picture is image, joined by ",".
  std::string rowsShowing(const char* image) {
    mui::MuList* list = dialog->getList();
    int name = list->getColumnIndex(EffectivePermissionsDialog::NameColumn);
    int picture = list->getColumnIndex(EffectivePermissionsDialog::ImageColumn);
    std::string out;
    for (int r = 0; r < list->getRowCount(); r++)
      if (std::string(list->getCell(r, picture)) == image)
        out += std::string(out.empty() ? "" : ",") + list->getCell(r, name);
    return out;
  }

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
  auto* window = static_cast<tx::TXWParent*>(dialog->getDialog()->getWinPtr());
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
       !dialog->getDialog()->isShown() && std::chrono::steady_clock::now() < end;) {
    XSync(tx::dpy, False);
    tx::handleXEvents();
  }
  ASSERT_TRUE(dialog->getDialog()->isShown());
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), window->size(), nullptr);
  // Magenta shows wherever the tree left a pixel unpainted.
  fb::fillRect(&pb, pb.getRect(), 0xFF00FF);
  window->child()->render(&pb);
  EXPECT_TRUE(gwtest::matchesGolden(pb, GW_GOLDEN_DIR "/effective_permissions.png"));
}

}  // namespace
