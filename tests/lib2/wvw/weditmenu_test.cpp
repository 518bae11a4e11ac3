// The edit menu: its items per mask and language, the commands its clicks
// run, and a menu torn down while shown.
#include "lib2/wvw/WEditMenu.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/LocaleSetter.h"
#include "lib2/wvw/WLabel.h"
#include "lib2/wvw/WMenuItem.h"
#include "lib2/wvw/WRootMenu.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

struct Commands : WEditMenu::Callback {
  void editCommand(int code) override { got += std::to_string(code); }
  std::string got;
};

std::string texts(WEditMenu& m) {
  std::string s;
  for (WMenuItem* i : m.menu()->items()) s += std::string(i->label().getLabel()) + "|";
  return s;
}

}  // namespace

TEST(WEditMenu, MaskAndLanguageChooseTheItems) {
  Commands cb;
  loc::LocaleSetter en("en");
  WEditMenu label(&cb, 5), field(&cb, 7);
  EXPECT_EQ(texts(label), "Copy|Select All|");
  EXPECT_EQ(texts(field), "Copy|Paste|Select All|");
  loc::LocaleSetter de("de");
  WEditMenu german(&cb, 7);
  EXPECT_EQ(texts(german), "Kopieren|Einfügen|Alles markieren|");
}

TEST(WEditMenu, ClicksRunTheirCommandAndAlwaysHide) {
  Commands cb;
  WidgetHost window(plat::Point(100, 100)), popup(plat::Point(100, 100));
  WEditMenu edit(&cb, 7);
  WLabel owner("x", plat::ALIGN_LEFT);
  window.host(&owner), popup.host(edit.menu());
  for (WMenuItem* i : edit.menu()->items()) {
    edit.show(plat::Point(), &owner);
    EXPECT_FALSE(i->handleClick(i));
    EXPECT_FALSE(edit.menu()->isVisible());
  }
  // A click reported for anything else only hides the menu.
  edit.show(plat::Point(), &owner);
  EXPECT_FALSE(edit.handleClick(&owner));
  EXPECT_FALSE(edit.menu()->isVisible());
  EXPECT_EQ(cb.got, "124");
  popup.unhost(), window.unhost();
}

TEST(WEditMenu, SelectAllFromALabelsMenuSelectsAndFocusesIt) {
  WidgetHost host(plat::Point(100, 30)), popup(plat::Point(100, 100));
  WLabel label("Some text", plat::ALIGN_LEFT);
  label.setSelectable(true);
  host.host(&label), host.focusWindow(true);
  host.pointer(plat::Point(5, 5), 4), host.pointer(plat::Point(5, 5), 0);
  ASSERT_TRUE(label.getEditMenu());
  EXPECT_EQ(host.popups.back().rfind("show grab ", 0), 0u);
  WRootMenu* menu = label.getEditMenu()->menu();
  popup.host(menu);
  WMenuItem* selectAll = menu->items().back();
  selectAll->handleClick(selectAll);
  int low, high;
  label.getSelectionLimits(low, high);
  EXPECT_EQ(high - low, 9);
  EXPECT_TRUE(label.hasFocus());
  popup.unhost(), host.unhost();
}

TEST(WEditMenu, DestroyingTheOwnerWhileShownTakesThePopupDown) {
  WidgetHost host(plat::Point(100, 30));
  {
    WLabel label("Some text", plat::ALIGN_LEFT);
    label.setSelectable(true);
    host.host(&label);
    host.pointer(plat::Point(5, 5), 4), host.pointer(plat::Point(5, 5), 0);
    host.unhost();
  }
  ASSERT_EQ(host.popups.size(), 2u);
  EXPECT_EQ(host.popups[1], "hide 0,0");
}
