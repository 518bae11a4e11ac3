// Menus: column layout and wrapping, check-mark indent, hotkeys, relabelling,
// pointer highlight and clicks, root-menu placement, and the look.
#include "lib2/wvw/WMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lib2/wvw/Keysyms.h"
#include "lib2/wvw/WIconMenuItem.h"
#include "lib2/wvw/WMenuItem.h"
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

struct Menu3 {
  Menu3() {
    for (int w : {40, 60, 50})
      items.push_back(std::make_unique<SizedItem>(&menu, plat::Point(w, 20)));
  }
  ~Menu3() {
    for (auto& i : items) menu.remItem(i.get());
  }
  std::string where() {
    std::string s;
    for (auto& i : items) {
      plat::Point p = i->getPos(), z = i->getSize();
      s += std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(z.x) + "x" +
           std::to_string(z.y) + "; ";
    }
    plat::Point z = menu.getSize();
    return s + std::to_string(z.x) + "x" + std::to_string(z.y);
  }
  WMenu menu;
  std::vector<std::unique_ptr<SizedItem>> items;
};

struct FakeRoot : WRoot {
  plat::Rect getRect() override { return plat::Rect(0, 0, 1920, 1080); }
  void showPopup(Widget*, bool show, bool, const plat::Point& pos) override {
    shown = show, at = pos;
  }
  bool shown = false;
  plat::Point at;
};

}  // namespace

TEST(WMenu, LayoutStacksWrapsAndStretchesColumns) {
  struct Row {
    int maxHeight, minWidth;
    const char* want;
  } rows[] = {
      {0, 0, "4,4 60x20; 4,24 60x20; 4,44 60x20; 68x68"},
      {50, 0, "4,4 60x20; 64,4 60x20; 124,4 60x20; 188x28"},
      {0, 90, "4,4 90x20; 4,24 90x20; 4,44 90x20; 98x68"},
      // Out of reach: the passes stop once a column holds a single item.
      {10, 0, "4,4 60x20; 64,4 60x20; 124,4 60x20; 188x28"},
  };
  for (const Row& r : rows) {
    Menu3 m;
    m.menu.setMaxHeight(r.maxHeight), m.menu.setMinWidth(r.minWidth);
    EXPECT_EQ(m.where(), r.want) << r.maxHeight << " " << r.minWidth;
  }
}

TEST(WMenu, AddingAnItemAgainMovesItInsteadOfDoublingIt) {
  Menu3 m;
  m.menu.addItem(m.items[2].get(), m.items[0].get());
  EXPECT_EQ(m.menu.getChildCount(), 3);
  EXPECT_EQ(m.menu.items().front(), m.items[2].get());
  EXPECT_EQ(m.menu.getChild(0), m.items[2].get());
}

TEST(WMenu, OneCheckableItemIndentsEveryItem) {
  WMenu menu;
  WMenuItem a(&menu, "Alpha", false), b(&menu, "Beta", false);
  int before = a.getMinSize().x;
  b.setCheckable(true);
  EXPECT_EQ(a.getMinSize().x, before + 10);
  EXPECT_EQ(a.label().getPos().x, 10);
  menu.remItem(&a), menu.remItem(&b);
}

TEST(WMenu, HotkeysClickTheFirstEnabledMatchingItemInEitherCase) {
  WidgetHost host(plat::Point(300, 100));
  WMenu menu;
  WMenuItem plain(&menu, "Plain", false), off(&menu, "Refresh &Users && Groups", false),
      on(&menu, "Refresh &Users && Groups", false);
  EXPECT_STREQ(on.label().getLabel(), "Refresh Users & Groups");
  EXPECT_EQ(on.hotkeyIndex(), 8);
  EXPECT_EQ(on.hotkey(), 0x55);
  off.setEnabled(false);
  EventLog log;
  log.name(&on, "on"), log.name(&off, "off"), log.name(&plain, "plain");
  menu.setInputHandler(&log);
  host.host(&menu), log.take();
  for (unsigned int k : {0x75u, 0x55u}) {
    EXPECT_TRUE(menu.handleKeyEvent(k, true, &menu));
    EXPECT_EQ(log.take(), "click on");
  }
  // Neither an unmatched key nor keysym 0 (which items without a hotkey hold)
  // clicks anything.
  for (unsigned int k : {0x71u, 0u}) {
    menu.handleKeyEvent(k, true, &menu);
    EXPECT_EQ(log.take().find("click"), std::string::npos) << k;
  }
  host.unhost();
  for (WMenuItem* i : {&plain, &off, &on}) menu.remItem(i);
}

TEST(WMenu, RelabellingWithAHotkeyDropsTheOldUnderline) {
  WMenuItem item(nullptr, "Long &label text", false);
  item.setLabel("ab", 'b');
  EXPECT_EQ(item.hotkeyIndex(), -1);
  EXPECT_EQ(item.hotkey(), 'b');
}

TEST(WMenu, PointerHighlightsAndReleaseClicks) {
  WidgetHost host(plat::Point(200, 100));
  WMenu menu;
  WMenuItem a(&menu, "Alpha", false), b(&menu, "Beta", false);
  EventLog log;
  log.name(&b, "b");
  menu.setInputHandler(&log);
  host.host(&menu), host.focusWindow(true);
  plat::Point over = b.getPos() + plat::Point(3, 3);
  host.pointer(over);
  EXPECT_TRUE(b.hasFocus());
  EXPECT_EQ(b.getStyle(), menu.highlightStyle());
  log.take();
  host.pointer(over, 1), host.pointer(over, 0);
  EXPECT_NE(log.take().find("click b"), std::string::npos);
  host.unhost();
  menu.remItem(&a), menu.remItem(&b);
}

TEST(WRootMenu, StaysOnTheRoot) {
  struct Row {
    plat::Point pos, want;
  } rows[] = {{{1900, 1000}, {1820, 1000}}, {{-5, 10}, {0, 10}}};
  for (const Row& r : rows) {
    FakeRoot root;
    WRootMenu menu(&root);
    SizedItem item(&menu, plat::Point(92, 72));  // the menu is 100x80
    menu.show(r.pos, nullptr);
    EXPECT_TRUE(root.shown && menu.isVisible());
    EXPECT_EQ(root.at, r.want);
    menu.hide();
    EXPECT_FALSE(root.shown || menu.isVisible());
    menu.remItem(&item);
  }
}

TEST(WRootMenu, DestroyingAShownMenuTakesThePopupDown) {
  FakeRoot root;
  {
    WRootMenu menu(&root);
    menu.show(plat::Point(), nullptr);
  }
  EXPECT_FALSE(root.shown);
}

TEST(WRootMenuDeathTest, ShowingWithoutARootStops) {
  EXPECT_DEATH(
      {
        WRootMenu menu(nullptr);
        menu.show(plat::Point(), nullptr);
      },
      "root");
}

TEST(WMenuLook, ItemsSeparatorCheckMarkAndHighlightMatchTheGoldenImage) {
  WidgetHost host(plat::Point(130, 110));
  WMenu menu;
  WMenuItem open(&menu, "&Open", false), mark(&menu, "&Wrap lines", true);
  WMenuItem* sep = menu.addSeparator(nullptr);
  WMenuItem quit(&menu, "&Quit", false);
  static const unsigned char arrow[8] = {0x80, 0xC0, 0xE0, 0xF0, 0xE0, 0xC0, 0x80, 0};
  WIconMenuItem more(&menu, "More", false);
  more.addIcon(arrow, plat::Point(8, 8));
  mark.setChecked(true), quit.setEnabled(false);
  host.host(&menu), host.focusWindow(true);
  host.pointer(open.getPos() + plat::Point(3, 3));
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/menu.png"));
  host.unhost();
  for (WMenuItem* i : {&open, &mark, sep, &quit, static_cast<WMenuItem*>(&more)}) menu.remItem(i);
  delete sep;
}
