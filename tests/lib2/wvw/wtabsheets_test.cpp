#include "lib2/wvw/WTabSheets.h"

#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WCanvas.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = fb::keysym;

namespace {

struct Sheets {
  explicit Sheets(int width) : host(plat::Point(width, 120)) {
    for (WCanvas& p : pages) p.setSize(plat::Point(40, 30));
    for (int i = 0; i < 3; i++) tabs.addSheet(names[i], &pages[i], -1);
    host.host(&tabs);
    host.focusWindow(true);
  }
  ~Sheets() { host.unhost(); }
  const char* names[3] = {"First", "Second", "Third"};
  WCanvas pages[3];
  WTabSheets tabs;
  WidgetHost host;
};

struct Refuser : WTabSheets::Callback {
  bool tabChanged(int, int) override { return false; }
};

}  // namespace

TEST(WTabSheets, SelectingTheLastTabScrollsToTheEndAndArrowsStepBack) {
  Sheets s(100);
  int row = 0;
  for (int i = 0; i < 3; i++) row += s.tabs.getTab(i)->getSize().x;
  int visible = 100 - 2 * s.tabs.getLeftButton()->getSize().x;
  ASSERT_LT(visible, row);
  EXPECT_FALSE(s.tabs.getLeftButton()->isEnabled());
  s.tabs.setSelected(2);
  // Clamped: the last tab ends at the arrows.
  EXPECT_TRUE(s.tabs.getScrollOffset() == visible - row && !s.tabs.getRightButton()->isEnabled());
  while (s.tabs.getLeftButton()->isEnabled()) s.tabs.handleClick(s.tabs.getLeftButton());
  EXPECT_EQ(s.tabs.getScrollOffset(), 0);
}

TEST(WTabSheets, CtrlTabWrapsBothWaysAndARefusingCallbackKeepsTheSheet) {
  Sheets s(400);
  s.tabs.setSelected(2);
  s.host.press(ks::Tab, {ks::Control_L});
  EXPECT_EQ(s.tabs.getSelected(), 0);
  s.host.press(ks::Tab, {ks::Control_L, ks::Shift_L});
  EXPECT_EQ(s.tabs.getSelected(), 2);
  Refuser no;
  s.tabs.addCallback(&no);
  s.tabs.setSelected(1);
  EXPECT_EQ(s.tabs.getSelected(), 2);
  s.tabs.removeCallback(&no);
}

TEST(WTabSheets, RemovingSheetsKeepsTheShownOneAndLetsGoOfThePage) {
  Sheets s(400);
  s.tabs.setSelected(2);
  s.tabs.removeSheet(0);  // the page keeps no pointer into the freed sheet
  EXPECT_TRUE(s.tabs.getSelected() == 1 && s.pages[0].getParentLayout() == nullptr);
  s.tabs.removeSheet(1);
  EXPECT_TRUE(s.tabs.getSelected() == -1 && s.pages[2].getParentLayout() == nullptr);
}

TEST(WTabSheets, ARenamedTabPushesTheTabsAfterItAlong) {
  Sheets s(400);
  s.tabs.setSelected(0);
  s.tabs.setTabName(0, "A much longer name");
  int w = s.tabs.getTab(0)->getSize().x;
  EXPECT_EQ(s.tabs.getTab(1)->getPos().x, w);
  EXPECT_EQ(s.tabs.getSheet(0)->tabRect.br.x, w);
}

TEST(WTabSheetsDeathTest, IndexBelowNoneOrPastTheEndStops) {
  Sheets s(400);
  EXPECT_DEATH(s.tabs.setSelected(-2), "index >= -1");
  EXPECT_DEATH(s.tabs.setSelected(3), "index < \\(int\\)sheets.size\\(\\)");
  EXPECT_DEATH(s.tabs.getSheet(-1), "index >= 0");
}

TEST(WTabSheetsLook, SelectedSheetOpensUnderItsTab) {
  Sheets s(200);
  s.tabs.setSelected(1);
  EXPECT_TRUE(matchesGolden(s.host.render(), GW_GOLDEN_DIR "/wtabsheets.png"));
}
