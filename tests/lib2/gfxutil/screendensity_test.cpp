#include "lib2/gfxutil/ScreenDensity.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Eighths of a millimetre, rounded half away from zero; text lengths scaled first.
TEST(ScreenDensity, LengthsRoundHalfAwayFromZero) {
  const int big = INT_MAX / 8;
  // pixels a millimetre, text percentage, eighths, pixels, text pixels
  const int cases[][5] = {{4, 100, 3, 2, 2},  {5, 100, -3, -2, -2},
                          {1, 100, 3, 0, 0},  {8, 150, 10, 10, 15},
                          {8, 33, 10, 10, 3}, {32, 100, big, big * 4, big * 4}};
  for (const auto& [ppmm, factor, eighths, want, wantText] : cases) {
    ASSERT_TRUE(gfxutil::ppmm.setParam(ppmm, 0));
    ASSERT_TRUE(gfxutil::textSizeFactor.setParam(factor, 0));
    EXPECT_EQ(gfxutil::lengthToPixels(eighths), want) << ppmm << " " << eighths;
    EXPECT_EQ(gfxutil::textLengthToPixels(eighths), wantText) << factor << " " << eighths;
  }
  gfxutil::ppmm.setParam(4, 0);
  gfxutil::textSizeFactor.setParam(100, 0);
}

}  // namespace
