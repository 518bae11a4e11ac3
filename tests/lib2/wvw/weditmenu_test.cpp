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
  EXPECT_EQ(texts(label) + " " + texts(field), "Copy|Select All| Copy|Paste|Select All|");
  loc::LocaleSetter de("de");
  WEditMenu german(&cb, 7);
  EXPECT_EQ(texts(german), "Kopieren|Einfügen|Alles markieren|");
}

TEST(WEditMenu, ClicksRunTheirCommandAndAlwaysHide) {
  Commands cb;
  WidgetHost window(plat::Point(100, 100)), popup(plat::Point(100, 100));
  WEditMenu edit(&cb, 7);
  WLabel owner("x", plat::ALIGN_LEFT);
  window.host(&owner);
  popup.host(edit.menu());
  for (WMenuItem* i : edit.menu()->items()) {
    edit.show(plat::Point(), &owner);
    EXPECT_FALSE(i->handleClick(i) || edit.menu()->isVisible());
  }
  // A click reported for anything else only hides the menu.
  edit.show(plat::Point(), &owner);
  EXPECT_FALSE(edit.handleClick(&owner) || edit.menu()->isVisible());
  EXPECT_EQ(cb.got, "124");
  popup.unhost();
  window.unhost();
}

TEST(WEditMenu, ALabelsSelectAllSelectsAndFocusesItAndItsMenuGoesWithIt) {
  WidgetHost host(plat::Point(100, 30)), popup(plat::Point(100, 100));
  {
    WLabel label("Some text", plat::ALIGN_LEFT);
    label.setSelectable(true);
    host.host(&label);
    host.focusWindow(true);
    auto thirdButton = [&] {
      for (int mask : {4, 0}) host.pointer(plat::Point(5, 5), mask);
    };
    thirdButton();
    ASSERT_TRUE(label.getEditMenu());
    EXPECT_EQ(host.popups.back().rfind("show grab ", 0), 0u);
    WRootMenu* menu = label.getEditMenu()->menu();
    popup.host(menu);
    menu->items().back()->handleClick(menu->items().back());
    int low, high;
    label.getSelectionLimits(low, high);
    EXPECT_TRUE(high - low == 9 && label.hasFocus());
    popup.unhost();
    thirdButton();  // and left up while the label goes
    host.unhost();
  }
  EXPECT_EQ(host.popups.back(), "hide 0,0");
}
