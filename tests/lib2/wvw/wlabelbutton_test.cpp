#include "lib2/wvw/WLabelButton.h"

#include <gtest/gtest.h>

using namespace wvw;

TEST(WLabelButton, ShortTextStillGivesSixtyPixelsAndLongTextMore) {
  WLabelButton shortOne("OK", true), longOne("Refresh the permission list", true);
  EXPECT_EQ(shortOne.getMinSize().x, 60);
  EXPECT_GT(longOne.getMinSize().x, 60);
  EXPECT_EQ(shortOne.getMinSize().y, longOne.getMinSize().y);
}
