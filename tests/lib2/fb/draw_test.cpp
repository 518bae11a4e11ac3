#include "lib2/fb/Draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using gwtest::picture;
using plat::Point;
using plat::Rect;
using Picture = std::vector<std::string>;

namespace {

PixelFormat formatOf(int bpp) {
  return PixelFormat(bpp, std::min(bpp, 24), false, true, 255, 255, 255, 0, 0, 0);
}

ManagedPixelBuffer grey(int w, int h) {
  return ManagedPixelBuffer(formatOf(8), Point(w, h), nullptr);
}

}  // namespace

TEST(FillRect, StoresTheRawValueAtEveryWidthInsideTheClippedRectOnly) {
  for (int bpp : {8, 16, 24, 32}) {
    ManagedPixelBuffer pb(formatOf(bpp), Rect(2, 3, 8, 7), nullptr);
    fb::fillRect(&pb, Rect(-5, 5, 5, 50), 0xA1B2C3D4);
    fb::fillRect(&pb, Rect(6, 3, 2, 5), 1);  // inverted: nothing
    unsigned mask = bpp == 32 ? 0xFFFFFFFF : (1u << bpp) - 1;
    for (int y = 3; y < 7; y++)
      for (int x = 2; x < 8; x++)
        EXPECT_EQ(pb.getPixelAt(Point(x, y)), x < 5 && y >= 5 ? 0xA1B2C3D4 & mask : 0u)
            << bpp << " bpp at " << x << "," << y;
  }
}

TEST(OutlineRect, DrawsABandOfTheWidthInside) {
  ManagedPixelBuffer pb = grey(12, 12);
  fb::outlineRect(&pb, Rect(1, 1, 11, 11), 1, 1);
  EXPECT_EQ(gwtest::countSet(pb), 36);
  EXPECT_EQ(pb.getPixelAt(Point(10, 10)), 1u);
  fb::outlineRect(&pb, Rect(1, 1, 11, 11), 1, 5);
  EXPECT_EQ(gwtest::countSet(pb), 100);
}

TEST(DrawLine, LeavesOutTheEndPoint) {
  struct Case {
    Point a, b;
    Picture expected;
  };
  const Case cases[] = {
      {{0, 0}, {3, 0}, {"###.", "....", "....", "...."}},
      {{2, 2}, {2, 2}, {"....", "....", "....", "...."}},
      {{3, 3}, {0, 0}, {"....", ".#..", "..#.", "...#"}},
      {{0, 3}, {1, 0}, {"....", ".#..", "#...", "#..."}},   // y-major
      {{0, 0}, {3, 1}, {"##..", "..#.", "....", "...."}},   // a decision of 0 steps diagonally
      {{-2, 1}, {6, 1}, {"....", "####", "....", "...."}},  // clipped both ends
  };
  for (const Case& c : cases) {
    ManagedPixelBuffer pb = grey(4, 4);
    fb::drawLine(&pb, c.a, c.b, 1);
    EXPECT_EQ(picture(pb), c.expected) << c.a.x << "," << c.a.y << " to " << c.b.x << "," << c.b.y;
  }
}

TEST(OutlineRoundedRect, RoundsCornersByTheRadius) {
  struct Case {
    Rect r;
    int radius;
    Picture expected;
  };
  const Case cases[] = {
      {{0, 0, 6, 4}, 0, {"######", "#....#", "#....#", "######"}},
      {{0, 0, 6, 4}, 1, {".####.", "#....#", "#....#", ".####."}},
      // From radius 2 on the arcs start one pixel in from the straight sides.
      {{0, 0, 6, 6}, 2, {".####.", "#....#", "#....#", "#....#", "#....#", ".####."}},
      {{0, 0, 10, 6},
       100,  // reduced to 3
       {"..######..", ".#......#.", "#........#", "#........#", ".#......#.", "..######.."}},
      {{2, 2, 2, 4}, 0, {"...", "...", "...", "..."}},  // empty: nothing, not its corner
  };
  for (const Case& c : cases) {
    ManagedPixelBuffer pb = grey(int(c.expected[0].size()), int(c.expected.size()));
    fb::outlineRoundedRect(&pb, c.r, c.radius, 1);
    EXPECT_EQ(picture(pb), c.expected) << "radius " << c.radius;
  }
}

TEST(VerticalGradRect, RoundsEachRowHalfAwayFromZeroEvenWhenClipped) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(1, 5), nullptr);
  fb::verticalGradRect(&pb, Rect(0, 0, 1, 5), {0, 0, 0}, {255, 255, 255});
  const unsigned rising[] = {0, 64, 128, 191, 255};
  for (int y = 0; y < 5; y++) EXPECT_EQ(pb.getPixelAt(Point(0, y)), rising[y] * 0x010101) << y;
  fb::verticalGradRect(&pb, Rect(0, -3, 1, 2), {255, 0, 0}, {0, 0, 0});  // falling, clipped
  const unsigned falling[] = {64, 0};
  for (int y = 0; y < 2; y++) EXPECT_EQ(pb.getPixelAt(Point(0, y)), falling[y] << 16) << y;
  fb::verticalGradRect(&pb, Rect(0, 4, 1, 5), {1, 2, 3}, {200, 200, 200});  // one row: the top
  EXPECT_EQ(pb.getPixelAt(Point(0, 4)), 0x010203u);
}

TEST(VerticalGradRect, ScalesToTheFormatWithAlphaClear) {
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
