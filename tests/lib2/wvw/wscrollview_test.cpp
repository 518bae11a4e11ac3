#include "lib2/wvw/WScrollView.h"

#include <gtest/gtest.h>

#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

struct View {
  Block child{Widget::Green};
  WScrollView view{15};
  WidgetHost host;
  View(plat::Point childSize, plat::Point viewSize) : host(viewSize) {
    child.setSize(childSize);
    view.setChild(&child);
    host.host(&view);
  }
};

}  // namespace

TEST(ScrollView, BarsAppearOnlyWhenTheChildDoesNotFit) {
  struct Case {
    plat::Point child;
    bool h, v;
    plat::Point visible;
  } cases[] = {{{300, 200}, true, true, {184, 184}},  // the bar takes room from the height
               {{150, 150}, false, false, {200, 200}},
               {{100, 1000}, false, true, {184, 200}}};
  for (const Case& c : cases) {
    View v(c.child, plat::Point(200, 200));
    EXPECT_EQ(std::pair(v.view.hbar.isVisible(), v.view.vbar.isVisible()), std::pair(c.h, c.v));
    EXPECT_EQ(v.view.viewport.getSize(), c.visible) << c.child.x;
  }
}

TEST(ScrollView, AChildThatShrinksToFitHidesTheBarsAndResetsTheOffset) {
  View v({400, 400}, {200, 200});
  v.view.scrollTo(plat::Point(50, 60));
  EXPECT_EQ(v.view.visibleRect(), plat::Rect(50, 60, 234, 244));
  v.child.setSize(plat::Point(100, 100));
  EXPECT_FALSE(v.view.hbar.isVisible() || v.view.vbar.isVisible());
  EXPECT_EQ(v.view.getChildRect(&v.view.viewport), plat::Rect(0, 0, 200, 200));
}

TEST(ScrollView, TheWheelScrollsAQuarterOfTheViewWithinTheRange) {
  View v({100, 1000}, {200, 200});
  for (int i = 0; i < 40; i++) v.host.pointer({50, 50}, i % 2 ? 0 : 16);  // 20 turns down
  EXPECT_EQ(v.view.visibleRect().tl.y, 800);
  v.host.pointer(plat::Point(50, 50), 8);
  EXPECT_EQ(v.view.getChildPos(&v.view.viewport), plat::Point(0, -750));
}

TEST(ScrollViewLook, BarsAndArrowsMatchTheGoldenImage) {
  View v({200, 150}, {120, 90});
  v.view.scrollTo(plat::Point(40, 20));
  EXPECT_TRUE(matchesGolden(v.host.render(), GW_GOLDEN_DIR "/scroll_view.png"));
  View thin({100, 100}, {10, 10});  // thinner than the bars: drawn without a fault
  thin.host.render();
}
