#include "lib2/wvw/WMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WIconMenuItem.h"
#include "lib2/wvw/WRoot.h"
#include "lib2/wvw/WRootMenu.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

// An item with a fixed minimum size, to check the layout arithmetic.
struct SizedItem : WMenuItem {
  SizedItem(WMenu* m, plat::Point s) : WMenuItem(m, "x", false), min(s) {}
  plat::Point getMinSize() const override { return min; }
  plat::Point min;
};

std::string str(plat::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

struct Menu3 {
  Menu3() {
    for (int w : {40, 60, 50})
      items.push_back(std::make_unique<SizedItem>(&menu, plat::Point(w, 20)));
  }
  // Each item's place and width (all are 20 high), then the menu's size.
  std::string where() {
    std::string s;
    for (auto& i : items) s += str(i->getPos()) + " " + std::to_string(i->getSize().x) + "; ";
    return s + str(menu.getSize());
  }
  WMenu menu;
  std::vector<std::unique_ptr<SizedItem>> items;
};

struct FakeRoot : WRoot {
  plat::Rect getRect() override { return plat::Rect(0, 0, 1920, 1080); }
  void showPopup(Widget*, bool s, bool, const plat::Point& p) override {
    shown = s;
    at = p;
  }
  bool shown = false;
  plat::Point at;
};

}  // namespace

TEST(WMenu, LayoutStacksWrapsAndStretchesColumns) {
  struct {
    int maxHeight, minWidth;
    const char* want;
  } rows[] = {
      {0, 0, "4,4 60; 4,24 60; 4,44 60; 68,68"},
      {50, 0, "4,4 60; 64,4 60; 124,4 60; 188,28"},
      {0, 90, "4,4 90; 4,24 90; 4,44 90; 98,68"},
      // Out of reach: the passes stop once a column holds a single item.
      {10, 0, "4,4 60; 64,4 60; 124,4 60; 188,28"},
  };
  for (const auto& r : rows) {
    Menu3 m;
    m.menu.setMaxHeight(r.maxHeight);
    m.menu.setMinWidth(r.minWidth);
    EXPECT_EQ(m.where(), r.want) << r.maxHeight << " " << r.minWidth;
  }
}

TEST(WMenu, AddingAnItemAgainMovesItInsteadOfDoublingIt) {
  Menu3 m;
  m.menu.addItem(m.items[2].get(), m.items[0].get());
  EXPECT_TRUE(m.menu.getChildCount() == 3 && m.menu.getChild(0) == m.items[2].get());
}

TEST(WMenu, HotkeysClickTheFirstEnabledMatchingItemInEitherCase) {
  EventLog log;  // outlives the menu, which reports to it while dismantled
  WMenu menu;
  WMenuItem plain(&menu, "Plain", false), off(&menu, "Refresh &Users && Groups", false),
      on(&menu, "Refresh &Users && Groups", false);
  EXPECT_STREQ(on.label().getLabel(), "Refresh Users & Groups");
  EXPECT_TRUE(on.hotkeyIndex() == 8 && on.hotkey() == 0x55);
  off.setEnabled(false);
  for (WMenuItem* i : {&plain, &off, &on}) i->setInputHandler(&log);
  log.name(&on, "on");
  log.take();
  for (unsigned int k : {0x75u, 0x55u})
    EXPECT_TRUE(menu.handleKeyEvent(k, true, &menu) && log.take() == "click on") << k;
  // Neither an unmatched key nor keysym 0 (held by items without a hotkey) clicks.
  for (unsigned int k : {0x71u, 0u}) EXPECT_FALSE(menu.handleKeyEvent(k, true, &menu)) << k;
  // Relabelled with an explicit hotkey, the old underline place goes.
  on.setLabel("ab", 'b');
  EXPECT_TRUE(on.hotkeyIndex() == -1 && on.hotkey() == 'b');
}

TEST(WRootMenu, StaysOnTheRootAndGoesDownWhenDestroyed) {
  for (auto [pos, want] : {std::pair(plat::Point(1900, 1000), plat::Point(1820, 1000)),
                           std::pair(plat::Point(-5, 10), plat::Point(0, 10))}) {
    FakeRoot root;
    {
      WRootMenu menu(&root);
      SizedItem item(&menu, plat::Point(92, 72));  // the menu is 100x80
      menu.show(pos, nullptr);
      EXPECT_TRUE(root.shown && menu.isVisible() && root.at == want) << pos.x;
    }
    EXPECT_FALSE(root.shown);
  }
}

TEST(WRootMenu, EscapeOnTheMenuOrAnItemTakesItDown) {
  FakeRoot root;
  WRootMenu menu(&root);
  WMenuItem item(&menu, "&Copy", false);
  WidgetHost popup(plat::Point(100, 40));
  popup.host(&menu);
  popup.focusWindow(true);
  for (bool onItem : {false, true}) {
    menu.show(plat::Point(), nullptr);
    if (onItem) item.requestFocus();
    popup.press(fb::keysym::Escape);
    EXPECT_FALSE(root.shown || menu.isVisible()) << onItem;
  }
  popup.unhost();
}

TEST(WRootMenuDeathTest, ShowingWithoutARootStops) {
  EXPECT_DEATH(WRootMenu(nullptr).show(plat::Point(), nullptr), "root");
}

TEST(WMenuLook, ItemsSeparatorCheckMarkAndHighlightMatchTheGoldenImage) {
  WidgetHost host(plat::Point(130, 110));
  WMenu menu;
  WMenuItem open(&menu, "&Open", false), mark(&menu, "&Wrap lines", true);
  std::unique_ptr<WMenuItem> sep(menu.addSeparator(nullptr));
  WMenuItem quit(&menu, "&Quit", false);
  static const unsigned char arrow[8] = {0x80, 0xC0, 0xE0, 0xF0, 0xE0, 0xC0, 0x80, 0};
  WIconMenuItem more(&menu, "More", false);
  more.addIcon(arrow, plat::Point(8, 8));
  mark.setChecked(true);
  quit.setEnabled(false);
  host.host(&menu);
  host.focusWindow(true);
  host.pointer(open.getPos() + plat::Point(3, 3));
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/menu.png"));
  host.unhost();
}
