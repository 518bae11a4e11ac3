#include "lib2/fb/Draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using gwtest::countSet;
using gwtest::picture;
using plat::Point;
using plat::Rect;
using Picture = std::vector<std::string>;

namespace {

const PixelFormat kGrey8(8, 8, false, true, 255, 255, 255, 0, 0, 0);

ManagedPixelBuffer grey(int w, int h) { return ManagedPixelBuffer(kGrey8, Point(w, h), nullptr); }

PixelFormat formatOf(int bpp) {
  return PixelFormat(bpp, bpp == 32 ? 24 : bpp, false, true, 255, 255, 255, 0, 0, 0);
}

}  // namespace

TEST(FillRect, StoresTheRawValueAtEveryWidthInsideTheClippedRectOnly) {
  for (int bpp : {8, 16, 24, 32}) {
    ManagedPixelBuffer pb(formatOf(bpp), Rect(2, 3, 8, 7), nullptr);
    fb::fillRect(&pb, Rect(-5, 5, 5, 50), 0xA1B2C3D4);
    unsigned mask = bpp == 32 ? 0xFFFFFFFF : (1u << bpp) - 1;
    for (int y = 3; y < 7; y++)
      for (int x = 2; x < 8; x++) {
        bool inside = x < 5 && y >= 5;
        EXPECT_EQ(pb.getPixelAt(Point(x, y)), inside ? 0xA1B2C3D4 & mask : 0u)
            << bpp << " bpp at " << x << "," << y;
      }
  }
}

TEST(FillRect, ClipsToTheBufferAndIgnoresRectsOutsideOrInverted) {
  ManagedPixelBuffer pb = grey(10, 10);
  fb::fillRect(&pb, Rect(20, 20, 30, 30), 1);
  fb::fillRect(&pb, Rect(6, 6, 2, 2), 1);
  EXPECT_EQ(countSet(pb), 0);
  fb::fillRect(&pb, Rect(-5, -5, 5, 5), 1);
  EXPECT_EQ(countSet(pb), 25);
  EXPECT_EQ(pb.getPixelAt(Point(4, 4)), 1u);
  EXPECT_EQ(pb.getPixelAt(Point(5, 5)), 0u);
}

TEST(FillRect, LeavesABufferOfAnUnsupportedWidthAlone) {
  ManagedPixelBuffer pb(PixelFormat(32, 24, false, true, 255, 255, 255, 0, 0, 0), Point(2, 2),
                        nullptr);
  pb.setPf(PixelFormat(40, 24, false, true, 255, 255, 255, 0, 0, 0));
  unsigned char* p = pb.getPixelsRW(pb.getRect(), nullptr);
  fb::fillRect(&pb, pb.getRect(), 0xFFFFFFFF);
  for (int i = 0; i < 2 * 2 * 5; i++) EXPECT_EQ(p[i], 0) << i;
}

TEST(OutlineRect, DrawsABandOfTheWidthInside) {
  ManagedPixelBuffer pb = grey(12, 12);
  fb::outlineRect(&pb, Rect(1, 1, 11, 11), 1, 1);
  EXPECT_EQ(countSet(pb), 36);
  EXPECT_EQ(pb.getPixelAt(Point(0, 0)), 0u);
  EXPECT_EQ(pb.getPixelAt(Point(10, 10)), 1u);
  fb::outlineRect(&pb, Rect(1, 1, 11, 11), 1, 5);
  EXPECT_EQ(countSet(pb), 100);
}

TEST(DrawLine, LeavesOutTheEndPoint) {
  struct Case {
    Point a, b;
    Picture expected;
  };
  const Case cases[] = {
      {{0, 0}, {3, 0}, {"###.", "....", "....", "...."}},
      {{2, 2}, {2, 2}, {"....", "....", "....", "...."}},
      {{0, 0}, {3, 3}, {"#...", ".#..", "..#.", "...."}},
      {{3, 3}, {0, 0}, {"....", ".#..", "..#.", "...#"}},
      {{0, 3}, {1, 0}, {"....", ".#..", "#...", "#..."}},   // y-major
      {{0, 0}, {3, 1}, {"##..", "..#.", "....", "...."}},   // a decision of 0 steps diagonally
      {{-2, 1}, {6, 1}, {"....", "####", "....", "...."}},  // clipped both ends
      {{3, -1}, {3, 9}, {"...#", "...#", "...#", "...#"}},
  };
  for (const Case& c : cases) {
    ManagedPixelBuffer pb = grey(4, 4);
    fb::drawLine(&pb, c.a, c.b, 1);
    EXPECT_EQ(picture(pb), c.expected) << c.a.x << "," << c.a.y << " to " << c.b.x << "," << c.b.y;
  }
}

TEST(DrawPixel, WritesOnlyInsideTheBuffer) {
  ManagedPixelBuffer pb(kGrey8, Rect(5, 5, 7, 7), nullptr);
  fb::drawPixel(&pb, Point(6, 5), 9);
  fb::drawPixel(&pb, Point(7, 5), 9);
  fb::drawPixel(&pb, Point(4, 6), 9);
  EXPECT_EQ(picture(pb), (Picture{".#", ".."}));
}

TEST(OutlineRoundedRect, RoundsCornersByTheRadius) {
  struct Case {
    int radius;
    Picture expected;
  };
  const Case cases[] = {
      {0, {"######", "#....#", "#....#", "#....#", "#....#", "######"}},
      {1, {".####.", "#....#", "#....#", "#....#", "#....#", ".####."}},
      // Radius 2 and more: the arcs start one pixel in from the straight sides.
      {2, {".####.", "#....#", "#....#", "#....#", "#....#", ".####."}},
      {100, {"..##..", ".#..#.", "#....#", "#....#", ".#..#.", "..##.."}},  // reduced to 3
  };
  for (const Case& c : cases) {
    ManagedPixelBuffer pb = grey(6, 6);
    fb::outlineRoundedRect(&pb, Rect(0, 0, 6, 6), c.radius, 1);
    EXPECT_EQ(picture(pb), c.expected) << "radius " << c.radius;
  }
}

TEST(OutlineRoundedRect, CountsOfTheLargerOutlines) {
  ManagedPixelBuffer pb = grey(10, 10);
  fb::outlineRoundedRect(&pb, Rect(0, 0, 10, 10), 0, 1);
  EXPECT_EQ(countSet(pb), 36);
  ManagedPixelBuffer rounded = grey(10, 10);
  fb::outlineRoundedRect(&rounded, Rect(0, 0, 10, 10), 1, 1);
  EXPECT_EQ(countSet(rounded), 32);
  EXPECT_EQ(rounded.getPixelAt(Point(0, 0)), 0u);
  // On 10 x 6 a radius of 100 becomes 3: the arcs reach the middle rows.
  ManagedPixelBuffer wide = grey(10, 6);
  fb::outlineRoundedRect(&wide, Rect(0, 0, 10, 6), 100, 1);
  EXPECT_EQ(picture(wide), (Picture{"..######..", ".#......#.", "#........#", "#........#",
                                    ".#......#.", "..######.."}));
}

TEST(OutlineRoundedRect, DrawsNothingForAnEmptyRect) {
  ManagedPixelBuffer pb = grey(4, 4);
  fb::outlineRoundedRect(&pb, Rect(2, 2, 2, 4), 0, 1);
  fb::outlineRoundedRect(&pb, Rect(3, 3, 1, 1), 5, 1);
  EXPECT_EQ(countSet(pb), 0);
}

TEST(VerticalGradRect, RoundsEachRowHalfAwayFromZero) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(2, 5), nullptr);
  fb::verticalGradRect(&pb, Rect(0, 0, 2, 5), {0, 0, 0}, {255, 255, 255});
  const unsigned rows[] = {0, 64, 128, 191, 255};
  for (int y = 0; y < 5; y++) EXPECT_EQ(pb.getPixelAt(Point(1, y)), rows[y] * 0x010101) << y;

  fb::verticalGradRect(&pb, Rect(0, 0, 2, 5), {255, 255, 0}, {0, 0, 0});  // falling
  const unsigned falling[] = {255, 191, 127, 64, 0};
  for (int y = 0; y < 5; y++) EXPECT_EQ(pb.getPixelAt(Point(0, y)), falling[y] * 0x010100) << y;
}

TEST(VerticalGradRect, KeepsItsColoursWhenClippedAndOnOneRow) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(1, 3), nullptr);
  fb::verticalGradRect(&pb, Rect(0, -2, 1, 3), {0, 0, 0}, {0, 0, 200});
  EXPECT_EQ(pb.getPixelAt(Point(0, 0)), 100u);
  EXPECT_EQ(pb.getPixelAt(Point(0, 2)), 200u);
  fb::verticalGradRect(&pb, Rect(0, 1, 1, 2), {1, 2, 3}, {200, 200, 200});
  EXPECT_EQ(pb.getPixelAt(Point(0, 1)), 0x010203u);
}

TEST(VerticalGradRect, ScalesToTheFormatWithoutAlpha) {
  ManagedPixelBuffer pb(PixelFormat::argb8(), Point(1, 1), nullptr);
  fb::verticalGradRect(&pb, Rect(0, 0, 1, 1), {255, 0, 0}, {0, 0, 0});
  EXPECT_EQ(pb.getPixelAt(Point(0, 0)), 0x00FF0000u);
  ManagedPixelBuffer small(PixelFormat::rgb565(), Point(1, 1), nullptr);
  fb::verticalGradRect(&small, Rect(0, 0, 1, 1), {255, 128, 0}, {0, 0, 0});
  EXPECT_EQ(small.getPixelAt(Point(0, 0)), 31u << 11 | 32u << 5);
}

TEST(XorRect, TogglesTheClippedPixels) {
  ManagedPixelBuffer pb(formatOf(24), Point(3, 1), nullptr);
  pb.setPixelAt(Point(0, 0), 0x0F0F0F);
  fb::xorRect(&pb, Rect(-1, 0, 2, 1), 0xFF00FF);
  EXPECT_EQ(pb.getPixelAt(Point(0, 0)), 0xF00FF0u);
  EXPECT_EQ(pb.getPixelAt(Point(1, 0)), 0xFF00FFu);
  EXPECT_EQ(pb.getPixelAt(Point(2, 0)), 0u);
}
