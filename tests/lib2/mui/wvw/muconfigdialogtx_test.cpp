#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/mui/MuConfigDialog.h"
#include "lib2/mui/MuConfigSection.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/wvw/WTabSheets.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/Golden.h"
#include "tests/support/ManagedDialogTest.h"
#include "tests/support/TestConfigDialog.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"
// Xlib last: its macros None and Success would rename names of gtest and
// of the dialog model.
#include <X11/keysym.h>

#include "tests/support/XDrive.h"

namespace {

using mui::MuButtonBar;
using mui::MuConfigSection;

class MuConfigDialogTxTest : public gwtest::ManagedDialogTest {
 protected:
  // Two small pages, "General" and "Advanced"; the second is built first,
  // so that with tabs its tab comes first while its page comes second.
  void build(bool noList) {
    dialog = std::make_unique<gwtest::TestConfigDialog>(&stored, noList, 0, plat::Point(240, 210));
    dialog->attach();
    advanced = new MuConfigSection(dialog.get(), nullptr, "advanced", "Advanced", 20);
    advanced->paramChk("Gamma", "Log every connection", nullptr);
    general = new MuConfigSection(dialog.get(), nullptr, "general", "General", 10);
    general->paramChk("Alpha", "Accept clipboard text", nullptr);
    general->paramChk("Beta", "Share the clipboard", nullptr);
    dialog->addSection(advanced);
    dialog->addSection(general);
  }
  bool managedFocusedAndSized() {
    return gwtest::managedFocusedAndSized(dialog->getDialog()->getWinPtr());
  }
  wvw::Widget* widget(MuConfigSection* s, const char* id) {
    return mui::getWidget(s->getLayout()->lookupElement(id));
  }
  std::string stored_(const char* name) {
    return plat::String::adopt(stored.get(name)->getValueStr()).get();
  }
  bool applyEnabled() {
    return !(dialog->getButtonBar().lookupButton(MuButtonBar::Apply)->getFlags() &
             mui::MuElement::Disabled);
  }

  plat::TimerManager outer{true};
  gwtest::WvwBackEnd backEnd;
  plat::Configuration stored{"Stored"};
  plat::BoolParameter alpha{"Alpha", "Text sent by the viewer", false, false, &stored};
  plat::BoolParameter beta{"Beta", "Text sent to the viewer", true, false, &stored};
  plat::BoolParameter gamma{"Gamma", "One line per connection", false, false, &stored};
  std::unique_ptr<gwtest::TestConfigDialog> dialog;
  MuConfigSection* general = nullptr;
  MuConfigSection* advanced = nullptr;
};

// Space ticks a box and picks a tab, Return on Apply saves, Escape cancels:
// what was applied stays stored, the edit after it does not.
TEST_F(MuConfigDialogTxTest, TheKeyboardAloneEditsAppliesAndCancels) {
  // A window the window manager has just placed hides a second later.
  gwtest::DrivenClock clock;
  build(true);
  dialog->show(nullptr);
  ASSERT_TRUE(gwtest::settleUntil([&] { return managedFocusedAndSized(); }));
  ASSERT_TRUE(gwtest::tabTo(widget(general, "Alpha")));
  gwtest::type(XK_space);
  EXPECT_TRUE(applyEnabled());
  auto* tabs = static_cast<wvw::WTabSheets*>(mui::getWidget(dialog->getPager()));
  ASSERT_TRUE(gwtest::tabTo(tabs->getTab(0)));
  gwtest::type(XK_space);
  EXPECT_EQ(dialog->getCurrentSection(), advanced);
  ASSERT_TRUE(gwtest::tabTo(widget(advanced, "Gamma")));
  gwtest::type(XK_space);
  ASSERT_TRUE(
      gwtest::tabTo(mui::getWidget(dialog->getButtonBar().lookupButton(MuButtonBar::Apply))));
  gwtest::type(XK_Return);
  EXPECT_EQ(dialog->saves, 1);
  EXPECT_FALSE(applyEnabled());
  EXPECT_EQ(stored_("Alpha"), "1");
  EXPECT_EQ(stored_("Gamma"), "1");
  ASSERT_TRUE(gwtest::tabTo(widget(advanced, "Gamma")));
  gwtest::type(XK_space);
  EXPECT_TRUE(applyEnabled());
  gwtest::type(XK_Escape);
  EXPECT_EQ(dialog->finishes, 1);
  clock.advance(1000);
  EXPECT_FALSE(dialog->getDialog()->isShown());
  EXPECT_EQ(dialog->saves, 1);
  EXPECT_EQ(stored_("Gamma"), "1");
}

// The first page holds a value set by policy, so the banner shows.
TEST_F(MuConfigDialogTxTest, TheDialogMatchesTheGoldenImage) {
  stored.set("Beta", "1", plat::ConfigParameter::PRIORITY_POLICY);
  for (bool noList : {false, true}) {
    build(noList);
    dialog->show(nullptr);
    // The list widens the dialog as it shows, through the window manager.
    ASSERT_TRUE(gwtest::settleUntil([&] { return managedFocusedAndSized(); })) << noList;
    auto* window = static_cast<tx::TXDialog*>(dialog->getDialog()->getWinPtr());
    wvw::WCanvas* canvas = window->getCanvas();
    fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), canvas->getSize(), nullptr);
    canvas->render(&pb);
    std::string name = noList ? "configdialog_tabs.png" : "configdialog_list.png";
    EXPECT_TRUE(gwtest::matchesGolden(pb, GW_GOLDEN_DIR "/" + name)) << name;
  }
}

}  // namespace
