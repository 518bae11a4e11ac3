#include "lib2/gfxutil/ScreenDensity.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Restore {
  ~Restore() {
    gfxutil::ppmm.setParam(4, 0);
    gfxutil::textSizeFactor.setParam(100, 0);
  }
};

TEST(ScreenDensity, LengthsRoundHalfAwayFromZero) {
  Restore restore;
  struct {
    int ppmm, eighths, want;
  } cases[] = {
      {4, 8, 4}, {4, 1, 1}, {4, -1, -1},
      {4, 3, 2}, {5, 3, 2}, {5, -3, -2},
      {5, 1, 1}, {1, 3, 0}, {32, INT_MAX / 8, INT_MAX / 8 * 4},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(gfxutil::ppmm.setParam(c.ppmm, 0));
    EXPECT_EQ(gfxutil::lengthToPixels(c.eighths), c.want) << c.ppmm << " " << c.eighths;
  }
}

TEST(ScreenDensity, TextLengthsScaleByTheFactorFirst) {
  Restore restore;
  ASSERT_TRUE(gfxutil::ppmm.setParam(8, 0));
  ASSERT_TRUE(gfxutil::textSizeFactor.setParam(150, 0));
  EXPECT_EQ(gfxutil::textLengthToPixels(10), 15);
  ASSERT_TRUE(gfxutil::textSizeFactor.setParam(33, 0));
  EXPECT_EQ(gfxutil::textLengthToPixels(10), 3);
}

}  // namespace
