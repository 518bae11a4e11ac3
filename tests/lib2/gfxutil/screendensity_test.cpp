#include "lib2/gfxutil/ScreenDensity.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Lengths in eighths of a millimetre, rounded half away from zero; text
// lengths scaled by the percentage first.
TEST(ScreenDensity, LengthsRoundHalfAwayFromZero) {
  const struct {
    int ppmm, factor, eighths, want, wantText;
  } cases[] = {
      {4, 100, 8, 4, 4},  {4, 100, -1, -1, -1},
      {4, 100, 3, 2, 2},  {5, 100, -3, -2, -2},
      {1, 100, 3, 0, 0},  {8, 150, 10, 10, 15},
      {8, 33, 10, 10, 3}, {32, 100, INT_MAX / 8, INT_MAX / 8 * 4, INT_MAX / 8 * 4},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(gfxutil::ppmm.setParam(c.ppmm, 0));
    ASSERT_TRUE(gfxutil::textSizeFactor.setParam(c.factor, 0));
    EXPECT_EQ(gfxutil::lengthToPixels(c.eighths), c.want) << &c - cases;
    EXPECT_EQ(gfxutil::textLengthToPixels(c.eighths), c.wantText) << &c - cases;
  }
  gfxutil::ppmm.setParam(4, 0);
  gfxutil::textSizeFactor.setParam(100, 0);
}

}  // namespace
