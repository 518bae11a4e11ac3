#include "lib2/wvw/WTooltip.h"

#include <gtest/gtest.h>

#include <string>

#include "lib2/gfxutil/Font.h"
#include "lib2/gfxutil/FontCache.h"
#include "lib2/wvw/WStyle.h"
#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

TEST(WTooltip, PlainTextShowsCaretsAndShrinksToTheText) {
  WTooltip tip(320, nullptr);
  tip.setText("a^b");
  const auto& p = tip.getLabel().getPieces();
  ASSERT_EQ(p.size(), 1u);
  EXPECT_STREQ(p[0].text.get(), "a^b");
  gfxutil::Font* f = WStyle::defaultStyle()->font;
  EXPECT_EQ(tip.getSize(), plat::Point(f->textWidth("a^b") + 12, f->height + 4));
}

TEST(WTooltip, TitleIsABoldFirstLineTakenAsItIs) {
  WTooltip tip(320, nullptr);
  tip.setText("T^x", "^bbody");
  const auto& p = tip.getLabel().getPieces();
  ASSERT_GE(p.size(), 2u);
  EXPECT_STREQ(p[0].text.get(), "T^x");
  EXPECT_EQ(p[0].font, gfxutil::getFont("helvB15").get());
  EXPECT_STREQ(p.back().text.get(), "body");
  EXPECT_GT(p.back().rect.tl.y, p[0].rect.tl.y);
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
  tip.hide(), tip.show();
  tip.setPosition(plat::Point(2, 16), &b), tip.show();
  tip.setText("tip"), tip.show(), tip.hide();
  ASSERT_EQ(host.popups.size(), 2u);
  EXPECT_EQ(host.popups[0] + ", " + host.popups[1], "show 102,66, hide 0,0");
}

TEST(WTooltip, LooksMatchTheGoldenImage) {
  WTooltip tip(120, nullptr);
  tip.setText("Title", "A longer text that wraps at the width");
  WidgetHost host(tip.getSize());
  host.host(&tip);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/tooltip.png"));
  host.unhost();
}
