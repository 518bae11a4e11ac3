#include "lib2/wvw/WTooltip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WStyle.h"
#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

// Neither a plain text nor a title is read as mark-up.
TEST(WTooltip, CaretsShowAndTheTipShrinksToTheText) {
  WTooltip tip(320, nullptr);
  gfxutil::Font* f = WStyle::defaultStyle()->font;
  tip.setText("a^b");
  EXPECT_EQ(tip.getSize(), plat::Point(f->textWidth("a^b") + 12, f->height + 4));
  EXPECT_STREQ(tip.getLabel().getPieces().at(0).text.get(), "a^b");
  tip.setText("T^x", "body");
  EXPECT_STREQ(tip.getLabel().getPieces().at(0).text.get(), "T^x");
}

TEST(WTooltip, StaysOnTheScreenBesideOrAboveTheWidget) {
  WTooltip tip(320, nullptr);
  tip.setText("A tip of some width");
  int w = tip.getSize().x, h = tip.getSize().y;
  struct {
    plat::Point screenPos, p, at;
  } cases[] = {{{100, 50}, {10, 20}, {110, 70}},
               {{1200, 50}, {10, 20}, {1200 - w - 2, 70}},
               {{100, 1000}, {10, 20}, {110, 1000 - h - 2}},
               {{20, 5}, {1270, 1020}, {0, 0}}};
  for (auto c : cases) {
    Block b;
    WidgetHost host(plat::Point(40, 20), c.screenPos);
    host.host(&b);
    tip.setPosition(c.p, &b);
    EXPECT_EQ(tip.getPosition(), c.at) << c.screenPos.x << "," << c.screenPos.y;
  }
}

TEST(WTooltip, ShowsOnlyWithTextAndAPlace) {
  Block b;
  WidgetHost host(plat::Point(40, 20));
  WTooltip tip(320, nullptr);
  host.host(&b);
  tip.hide();
  tip.show();
  tip.setPosition(plat::Point(2, 16), &b);
  tip.show();
  tip.setText("tip");
  tip.show();
  tip.hide();
  EXPECT_EQ(host.popups, (std::vector<std::string>{"show 102,66", "hide 0,0"}));
}

TEST(WTooltip, LooksMatchTheGoldenImage) {
  WTooltip tip(120, nullptr);
  tip.setText("Title", "A longer text that wraps at the width");
  WidgetHost host(tip.getSize());
  host.host(&tip);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/tooltip.png"));
  host.unhost();
}
