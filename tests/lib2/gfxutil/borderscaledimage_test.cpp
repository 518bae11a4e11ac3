#include "lib2/gfxutil/BorderScaledImage.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "lib2/fb/ManagedPixelBuffer.h"

using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

const uint32_t blank = 0xdeadbe;

// A picture whose every pixel differs: green is the column, blue the row,
// so scaled pixels show which source pixels fed them.
struct Picture {
  fb::ManagedPixelBuffer pb;
  explicit Picture(Point size) : pb(PixelFormat::rgb888(), size, nullptr) {
    for (int y = 0; y < size.y; y++)
      for (int x = 0; x < size.x; x++) pb.setPixelAt(Point(x, y), uint32_t(x * 16) << 8 | y * 16);
  }
};

struct Target {
  fb::ManagedPixelBuffer pb;
  explicit Target(Point size) : pb(PixelFormat::rgb888(), size, nullptr) {
    for (int y = 0; y < size.y; y++)
      for (int x = 0; x < size.x; x++) pb.setPixelAt(Point(x, y), blank);
  }
  uint32_t at(int x, int y) const { return pb.getPixelAt(Point(x, y)); }
};

TEST(BorderScaledImage, PictureSizeReproducesEveryPixel) {
  Picture pic(Point(7, 5));
  gfxutil::BorderScaledImage img;
  img.setImage(&pic.pb);
  img.setScaleBorders(1, 2, 1, 3);
  Target t(Point(7, 5));
  img.compose(&t.pb, Rect(0, 0, 7, 5), fb::srcCopy);
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 7; x++)
      EXPECT_EQ(t.at(x, y), pic.pb.getPixelAt(Point(x, y))) << x << "," << y;
}

TEST(BorderScaledImage, EdgesStretchAlongTheirLengthOnly) {
  Picture pic(Point(4, 4));
  gfxutil::BorderScaledImage img;
  img.setImage(&pic.pb);
  img.setScaleBorders(1, 1, 1, 1);
  Target t(Point(6, 4));
  img.compose(&t.pb, Rect(0, 0, 6, 4), fb::srcCopy);
  // Corners unscaled; the top edge keeps row 0 and spreads columns 1-2 over 4.
  EXPECT_EQ(t.at(0, 0), 0u);
  EXPECT_EQ(t.at(5, 0), 0x3000u);
  EXPECT_EQ(t.at(5, 3), 0x3030u);
  EXPECT_EQ(t.at(1, 0), 0x1000u);
  EXPECT_EQ(t.at(4, 0), 0x2000u);
  EXPECT_EQ(t.at(5, 1), 0x3010u);
  EXPECT_EQ(t.at(0, 2), 0x0020u);
}

TEST(BorderScaledImage, WidthOfBothBordersDrawsCornersAndSidesOnly) {
  Picture pic(Point(5, 5));
  gfxutil::BorderScaledImage img;
  img.setImage(&pic.pb);
  img.setScaleBorders(2, 2, 2, 2);
  Target t(Point(4, 6));
  img.compose(&t.pb, Rect(0, 0, 4, 6), fb::srcCopy);
  EXPECT_EQ(t.at(0, 0), 0u);
  EXPECT_EQ(t.at(3, 5), 0x4040u);
  EXPECT_EQ(t.at(1, 2), 0x1020u);  // left side
  EXPECT_EQ(t.at(2, 3), 0x3020u);  // right side, stretched vertically
}

// A layout may give less than the minimum: the pieces that no longer fit
// are skipped rather than built with negative sizes.
TEST(BorderScaledImage, RectangleBelowTheMinimumSizeDrawsWhatFits) {
  Picture pic(Point(6, 6));
  gfxutil::BorderScaledImage img;
  img.setImage(&pic.pb);
  img.setScaleBorders(2, 2, 2, 2);
  Target t(Point(3, 3));
  img.compose(&t.pb, Rect(0, 0, 3, 3), fb::srcCopy);
  EXPECT_EQ(t.at(0, 0), 0u);
  EXPECT_EQ(t.at(2, 2), 0x5050u);
}

TEST(BorderScaledImage, MinimumSizeAndCentre) {
  Picture pic(Point(20, 10));
  gfxutil::BorderScaledImage img;
  EXPECT_EQ(img.getMinSize(Point(5, 6)), Point(5, 6));
  EXPECT_FALSE(img.isValid());
  img.setImage(&pic.pb);
  img.setScaleBorders(3, 3, 3, 3);
  EXPECT_EQ(img.getMinSize(Point(0, 0)), Point(20, 10));
  EXPECT_EQ(img.getMinSize(Point(30, 1)), Point(36, 10));
  img.setScaleBorders(1, 2, 3, 4);
  EXPECT_EQ(img.getCentreRect(Rect(10, 10, 30, 30)), Rect(14, 11, 28, 27));
}

TEST(BorderScaledImageDeathTest, BadBordersAreFatal) {
  Picture pic(Point(6, 6));
  gfxutil::BorderScaledImage img;
  EXPECT_DEATH(img.setScaleBorders(0, -1, 0, 0), "Negative image border sizes");
  img.setImage(&pic.pb);
  img.setScaleBorders(0, 3, 0, 3);
  Target t(Point(8, 8));
  EXPECT_DEATH(img.compose(&t.pb, Rect(0, 0, 8, 8), fb::srcCopy), "Intersecting image borders");
}

}  // namespace
