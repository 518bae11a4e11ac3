#include "lib2/gfxutil/BorderScaledImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

// A picture whose every pixel differs: green is the column, blue the row,
// so scaled pixels show which source pixels fed them.
unsigned pattern(int x, int y) { return x << 12 | y << 4; }

// The picture drawn with borders of 'b' (top, right, bottom, left) into a
// target of the given size.
std::vector<unsigned> composed(Point pictureSize, std::vector<int> b, Point size) {
  ManagedPixelBuffer pic(PixelFormat::rgb888(), pictureSize, nullptr);
  ManagedPixelBuffer target(PixelFormat::rgb888(), size, nullptr);
  gwtest::paint(&pic, pattern);
  gfxutil::BorderScaledImage img;
  img.setImage(&pic);
  img.setScaleBorders(b[0], b[1], b[2], b[3]);
  img.compose(&target, target.getRect(), fb::srcCopy);
  return gwtest::pixels(target);
}

TEST(BorderScaledImage, PictureSizeReproducesEveryPixel) {
  ManagedPixelBuffer pic(PixelFormat::rgb888(), Point(7, 5), nullptr);
  gwtest::paint(&pic, pattern);
  EXPECT_EQ(composed(Point(7, 5), {1, 2, 1, 3}, Point(7, 5)), gwtest::pixels(pic));
}

// Corners unscaled, edges stretched along their length only; a rectangle
// below the minimum size draws what fits instead of pieces of negative size.
TEST(BorderScaledImage, PiecesStretchOnlyAlongTheirEdge) {
  const struct {
    Point picture;
    int border;
    Point size, at;
    uint32_t want;
  } cases[] = {
      {{4, 4}, 1, {6, 4}, {0, 0}, 0},      {{4, 4}, 1, {6, 4}, {5, 0}, 0x3000},
      {{4, 4}, 1, {6, 4}, {5, 3}, 0x3030}, {{4, 4}, 1, {6, 4}, {1, 0}, 0x1000},
      {{4, 4}, 1, {6, 4}, {4, 0}, 0x2000}, {{4, 4}, 1, {6, 4}, {5, 1}, 0x3010},
      {{4, 4}, 1, {6, 4}, {0, 2}, 0x0020}, {{5, 5}, 2, {4, 6}, {3, 5}, 0x4040},
      {{5, 5}, 2, {4, 6}, {1, 2}, 0x1020}, {{5, 5}, 2, {4, 6}, {2, 3}, 0x3020},
      {{6, 6}, 2, {3, 3}, {0, 0}, 0},      {{6, 6}, 2, {3, 3}, {2, 2}, 0x5050},
  };
  for (const auto& c : cases) {
    int b = c.border;
    EXPECT_EQ(composed(c.picture, {b, b, b, b}, c.size)[size_t(c.at.y * c.size.x + c.at.x)], c.want)
        << &c - cases;
  }
}

TEST(BorderScaledImage, MinimumSizeAndCentre) {
  ManagedPixelBuffer pic(PixelFormat::rgb888(), Point(20, 10), nullptr);
  gfxutil::BorderScaledImage img;
  EXPECT_EQ(img.getMinSize(Point(5, 6)), Point(5, 6));
  img.setImage(&pic);
  img.setScaleBorders(3, 3, 3, 3);
  EXPECT_EQ(img.getMinSize(Point(0, 0)), Point(20, 10));
  EXPECT_EQ(img.getMinSize(Point(30, 1)), Point(36, 10));
  img.setScaleBorders(1, 2, 3, 4);
  EXPECT_EQ(img.getCentreRect(Rect(10, 10, 30, 30)), Rect(14, 11, 28, 27));
}

TEST(BorderScaledImageDeathTest, BadBordersAreFatal) {
  gfxutil::BorderScaledImage img;
  EXPECT_DEATH(img.setScaleBorders(0, -1, 0, 0), "Negative image border sizes");
  EXPECT_DEATH(composed(Point(6, 6), {0, 3, 0, 3}, Point(8, 8)), "Intersecting image borders");
}

}  // namespace
