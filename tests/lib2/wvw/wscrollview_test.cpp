#include "lib2/wvw/WScrollView.h"

#include <gtest/gtest.h>

#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

TEST(ScrollView, BarsAppearOnlyWhenTheChildDoesNotFit) {
  struct Case {
    plat::Point child;
    bool h, v;
    plat::Point visible;
  } cases[] = {{{300, 200}, true, true, {184, 184}},  // the bar takes room from the height
               {{150, 150}, false, false, {200, 200}},
               {{100, 1000}, false, true, {184, 200}}};
  for (const Case& c : cases) {
    Block child;
    child.setSize(c.child);
    WScrollView view(15);
    view.setChild(&child);
    WidgetHost host(plat::Point(200, 200));
    host.host(&view);
    EXPECT_EQ(view.hbar.isVisible(), c.h) << c.child.x;
    EXPECT_EQ(view.vbar.isVisible(), c.v) << c.child.x;
    EXPECT_EQ(view.visibleSize(), c.visible) << c.child.x;
    EXPECT_EQ(view.viewport.getSize(), c.visible) << c.child.x;
    host.dismantle();
  }
}

TEST(ScrollView, AChildThatShrinksToFitHidesTheBarsAndResetsTheOffset) {
  Block child;
  child.setSize(plat::Point(400, 400));
  WScrollView view(15);
  view.setChild(&child);
  WidgetHost host(plat::Point(200, 200));
  host.host(&view);
  view.scrollTo(plat::Point(50, 60));
  EXPECT_EQ(view.visibleRect(), plat::Rect(50, 60, 234, 244));
  child.setSize(plat::Point(100, 100));
  EXPECT_FALSE(view.hbar.isVisible() || view.vbar.isVisible());
  EXPECT_EQ(view.visibleRect(), plat::Rect(0, 0, 200, 200));
  EXPECT_EQ(view.getChildPos(&view.viewport), plat::Point());
  host.dismantle();
}

TEST(ScrollView, TheWheelScrollsAQuarterOfTheViewWithinTheRange) {
  Block child;
  child.setSize(plat::Point(100, 1000));
  WScrollView view(15);
  view.setChild(&child);
  WidgetHost host(plat::Point(200, 200));
  host.host(&view);
  for (int i = 0; i < 20; i++) host.pointer(plat::Point(50, 50), 16), host.pointer({50, 50}, 0);
  EXPECT_EQ(view.visibleRect().tl.y, 800);
  host.pointer(plat::Point(50, 50), 8);
  EXPECT_EQ(view.visibleRect().tl.y, 750);
  EXPECT_EQ(view.getChildPos(&view.viewport), plat::Point(0, -750));
  host.dismantle();
}

TEST(ScrollView, AViewThinnerThanItsBarsStillDraws) {
  Block child;
  child.setSize(plat::Point(100, 100));
  WScrollView view(15);
  view.setChild(&child);
  WidgetHost host(plat::Point(10, 10));
  host.host(&view);
  host.render();
  EXPECT_TRUE(view.hbar.isVisible() && view.vbar.isVisible());
  host.dismantle();
}

TEST(ScrollViewLook, BarsAndArrowsMatchTheGoldenImage) {
  Block child(Widget::Green);
  child.setSize(plat::Point(200, 150));
  WScrollView view(15);
  view.setChild(&child);
  WidgetHost host(plat::Point(120, 90));
  host.host(&view);
  view.scrollTo(plat::Point(40, 20));
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/scroll_view.png"));
  host.dismantle();
}
