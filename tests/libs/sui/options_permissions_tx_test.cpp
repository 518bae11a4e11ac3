#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/TimerManager.h"
// Before the X layer, whose Xlib macros would rename its names.
#include "lib2/mui/MuConfigDialog.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/tx/TXWindow.h"
#include "tests/libs/sui/EffectiveRows.h"
#include "tests/libs/sui/OptionsPageParts.h"
#include "tests/support/DialogGolden.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/ManagedDialogTest.h"
#include "tests/support/WvwBackEnd.h"
// Xlib last: its macros None and Success would rename names of gtest and
// of the dialog model.
#include "tests/support/XDrive.h"

namespace {

using mui::MuButtonBar;

// Timers of the windows run on a manager of the test's own.
struct OuterTimers {
  plat::TimerManager outer{true};
};

class OptionsPermissionsTx : public gwtest::ManagedDialogTest,
                             public OuterTimers,
                             public suitest::OptionsPageParts<gwtest::WvwBackEnd> {
 protected:
  void show() {
    build(false, plat::Point(440, 520));
    dialog->show(nullptr);
    ASSERT_TRUE(gwtest::settleUntil([&] { return managedFocusedAndSized(dialog->getDialog()); }));
  }
  static bool managedFocusedAndSized(mui::MuDialog* d) {
    return gwtest::managedFocusedAndSized(d->getWinPtr());
  }
  wvw::Widget* onPage(const char* path) {
    return mui::getWidget(page->getLayout()->lookupElement(path));
  }
  wvw::Widget* button(MuButtonBar::ButtonId id) {
    return mui::getWidget(dialog->getButtonBar().lookupButton(id));
  }
  std::string storedValue(const char* name) {
    return plat::String::adopt(server.stored.get(name)->getValueStr()).get();
  }
  std::string rowsShowing(const char* image) {
    return suitest::rowsShowing(*page->getEffectiveDialog(), image);
  }
};

// Space switches a feature off on the global row, Return on Apply stores
// it; a second switch is dropped with Escape.
TEST_F(OptionsPermissionsTx, TheKeyboardAloneSwitchesAFeatureAppliesAndCancels) {
  // A window the window manager has just placed hides a second later.
  gwtest::DrivenClock clock;
  show();
  ASSERT_TRUE(gwtest::tabTo(onPage("settings.l.global.k")));
  gwtest::type(XK_space);
  EXPECT_EQ(value("AcceptKeyEvents"), "0");
  EXPECT_EQ(priority("AcceptKeyEvents"), plat::ConfigParameter::PRIORITY_PREFERENCE);
  ASSERT_TRUE(gwtest::tabTo(button(MuButtonBar::Apply)));
  gwtest::type(XK_Return);
  EXPECT_EQ(dialog->saves, 1);
  EXPECT_EQ(storedValue("AcceptKeyEvents"), "0");
  ASSERT_TRUE(gwtest::tabTo(onPage("settings.l.global.h")));
  gwtest::type(XK_space);
  EXPECT_EQ(value("EnableChat"), "0");
  gwtest::type(XK_Escape);
  EXPECT_EQ(dialog->finishes, 1);
  clock.advance(1000);
  EXPECT_FALSE(dialog->getDialog()->isShown());
  EXPECT_EQ(dialog->saves, 1);
  EXPECT_EQ(storedValue("EnableChat"), "1");
}

// Each set shows, and Return on OK puts the dialog away until the next.
TEST_F(OptionsPermissionsTx, TheEffectivePermissionsOfEachLevelShowFromThePage) {
  gwtest::DrivenClock clock;
  show();
  const struct {
    const char* name;
    const char* text;
    const char* accepted;
  } sets[] = {
      {"view-only", "v", "View"},
      {"normal", "d", "View,Keyboard,Mouse,Clipboard,Chat,File transfer,Printing"},
      {"administrative", "f", "View,Keyboard,Mouse,Clipboard,Chat,File transfer,Printing,No query"},
      {"custom with a denied letter", "hks!c", "View,Keyboard,Chat"},
  };
  for (const auto& s : sets) {
    page->showEffectivePermissions(svr::Permissions(s.text));
    mui::MuDialog* effective = page->getEffectiveDialog()->getDialog();
    ASSERT_TRUE(gwtest::settleUntil([&] { return managedFocusedAndSized(effective); })) << s.name;
    EXPECT_EQ(rowsShowing("accept"), s.accepted) << s.name;
    ASSERT_TRUE(gwtest::tabTo(mui::getWidget(page->getEffectiveDialog()->getOkButton()))) << s.name;
    gwtest::type(XK_Return);
    clock.advance(1000);
    EXPECT_FALSE(effective->isShown()) << s.name;
  }
}

// A policy value on chat locks its box and shows the banner.
TEST_F(OptionsPermissionsTx, TheDialogWithThePageMatchesTheGoldenImage) {
  server.chat.setParam("1", plat::ConfigParameter::PRIORITY_POLICY);
  show();
  EXPECT_TRUE(
      gwtest::dialogMatchesGolden(dialog->getDialog(), GW_GOLDEN_DIR "/options_permissions.png"));
}

// Opened from the page, it looks as it does alone.
TEST_F(OptionsPermissionsTx, TheEffectivePermissionsDialogFromThePageMatchesItsGoldenImage) {
  show();
  page->showEffectivePermissions(svr::Permissions("skc!p"));
  mui::MuDialog* effective = page->getEffectiveDialog()->getDialog();
  ASSERT_TRUE(gwtest::settleUntil([&] { return managedFocusedAndSized(effective); }));
  EXPECT_TRUE(gwtest::dialogMatchesGolden(effective, GW_GOLDEN_DIR "/effective_permissions.png"));
}

}  // namespace
