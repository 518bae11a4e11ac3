#include "lib2/wvw/WPanel.h"

#include <gtest/gtest.h>

#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

TEST(WPanel, ContentSitsBelowTheTitleInsideThePadding) {
  WidgetHost host(plat::Point(120, 70));
  WPanel panel("Options");
  WLabel inner("Inside", plat::ALIGN_LEFT);
  inner.setSize(inner.getMinSize());
  panel.content().add(&inner, nullptr);
  panel.content().resizeToFit(0);
  host.host(&panel);
  EXPECT_EQ(panel.content().getPos(), plat::Point(6, panel.title().getSize().y + 6));
  // The content stays inside the frame instead of overhanging its right edge.
  EXPECT_EQ(panel.content().getSize().x, 120 - 12);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/panel.png"));
  host.unhost();
  panel.content().remove(&inner);
}
