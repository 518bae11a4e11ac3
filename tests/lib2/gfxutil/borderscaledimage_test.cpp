#include "lib2/gfxutil/BorderScaledImage.h"

#include <gtest/gtest.h>

#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::PixelFormat;
using plat::Point;

namespace {

// Green is the column, blue the row: a pixel shows which source pixel fed it.
unsigned pattern(int x, int y) { return x << 12 | y << 4; }

std::vector<unsigned> composed(Point pictureSize, std::vector<int> b, Point size) {
  fb::ManagedPixelBuffer pic(PixelFormat::rgb888(), pictureSize, nullptr);
  fb::ManagedPixelBuffer target(PixelFormat::rgb888(), size, nullptr);
  gwtest::paint(&pic, pattern);
  gfxutil::BorderScaledImage img;
  img.setImage(&pic);
  img.setScaleBorders(b[0], b[1], b[2], b[3]);
  img.compose(&target, target.getRect(), fb::srcCopy);
  return gwtest::pixels(target);
}

// Corners unscaled, edges stretched along their length only; a rectangle
// below the minimum size draws what fits instead of pieces of negative size.
TEST(BorderScaledImage, PiecesStretchOnlyAlongTheirEdge) {
  // picture side, border, target width and height, pixel x and y, value
  const int cases[][7] = {{4, 1, 6, 4, 5, 3, 0x3030}, {4, 1, 6, 4, 4, 0, 0x2000},
                          {4, 1, 6, 4, 0, 2, 0x0020}, {5, 2, 4, 6, 1, 2, 0x1020},
                          {5, 2, 4, 6, 2, 3, 0x3020}, {6, 2, 3, 3, 2, 2, 0x5050}};
  for (const auto& [side, b, w, h, x, y, want] : cases)
    EXPECT_EQ(composed(Point(side, side), {b, b, b, b}, Point(w, h))[size_t(y * w + x)],
              unsigned(want))
        << side << " " << x << "," << y;
}

TEST(BorderScaledImageDeathTest, BadBordersAreFatal) {
  gfxutil::BorderScaledImage img;
  EXPECT_DEATH(img.setScaleBorders(0, -1, 0, 0), "Negative image border sizes");
  EXPECT_DEATH(composed(Point(6, 6), {0, 3, 0, 3}, Point(8, 8)), "Intersecting image borders");
}

}  // namespace
