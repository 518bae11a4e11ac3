#include "lib2/fb/Draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using plat::Point;
using plat::Rect;
using Picture = std::vector<std::string>;

namespace {

PixelFormat formatOf(int bpp) {
  return PixelFormat(bpp, std::min(bpp, 24), false, true, 255, 255, 255, 0, 0, 0);
}

}  // namespace

TEST(FillRect, StoresTheRawValueAtEveryWidthInsideTheClippedRectOnly) {
  for (int bpp : {8, 16, 24, 32}) {
    ManagedPixelBuffer pb(formatOf(bpp), Rect(2, 3, 8, 7), nullptr);
    fb::fillRect(&pb, Rect(-5, 5, 5, 50), 0xA1B2C3D4);
    fb::fillRect(&pb, Rect(6, 3, 2, 5), 1);  // inverted: nothing
    unsigned v = 0xA1B2C3D4 & unsigned((1ull << bpp) - 1);
    EXPECT_EQ(gwtest::pixels(pb), std::vector<unsigned>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  //
                                                         v, v, v, 0, 0, 0, v, v, v, 0, 0, 0}))
        << bpp;
  }
}

TEST(DrawLine, LeavesOutTheEndPoint) {
  const std::tuple<Point, Point, Picture> cases[] = {
      {{2, 2}, {2, 2}, {"....", "....", "....", "...."}},
      {{3, 3}, {0, 0}, {"....", ".#..", "..#.", "...#"}},
      {{0, 3}, {1, 0}, {"....", ".#..", "#...", "#..."}},   // y-major
      {{0, 0}, {3, 1}, {"##..", "..#.", "....", "...."}},   // a decision of 0 steps diagonally
      {{-2, 1}, {6, 1}, {"....", "####", "....", "...."}},  // clipped both ends
  };
  for (const auto& [a, b, want] : cases) {
    ManagedPixelBuffer pb(formatOf(8), Point(4, 4), nullptr);
    fb::drawLine(&pb, a, b, 1);
    EXPECT_EQ(gwtest::picture(pb), want) << a.x << "," << a.y << " to " << b.x << "," << b.y;
  }
}

TEST(OutlineRoundedRect, RoundsCornersByTheRadius) {
  const std::tuple<Rect, int, Picture> cases[] = {
      {{0, 0, 6, 4}, 1, {".####.", "#....#", "#....#", ".####."}},
      // From radius 2 on the arcs start one pixel in from the straight sides.
      {{0, 0, 6, 6}, 2, {".####.", "#....#", "#....#", "#....#", "#....#", ".####."}},
      {{0, 0, 10, 6},
       100,  // reduced to 3
       {"..######..", ".#......#.", "#........#", "#........#", ".#......#.", "..######.."}},
      {{2, 2, 2, 4}, 0, {"...", "...", "...", "..."}},  // empty: nothing, not its corner
  };
  for (const auto& [r, radius, want] : cases) {
    ManagedPixelBuffer pb(formatOf(8), Point(int(want[0].size()), int(want.size())), nullptr);
    fb::outlineRoundedRect(&pb, r, radius, 1);
    EXPECT_EQ(gwtest::picture(pb), want) << "radius " << radius;
  }
}

// Half away from zero, even when clipped; one row takes the top colour; the
// result scaled to the format, alpha clear.
TEST(VerticalGradRect, RoundsEachRowHalfAwayFromZeroEvenWhenClipped) {
  ManagedPixelBuffer pb(PixelFormat::argb8(), Point(1, 5), nullptr);
  fb::verticalGradRect(&pb, Rect(0, 0, 1, 5), {0, 0, 0}, {255, 255, 255});
  EXPECT_EQ(gwtest::pixels(pb), std::vector<unsigned>({0, 0x404040, 0x808080, 0xBFBFBF, 0xFFFFFF}));
  fb::verticalGradRect(&pb, Rect(0, -3, 1, 2), {255, 0, 0}, {0, 0, 0});
  fb::verticalGradRect(&pb, Rect(0, 4, 1, 5), {1, 2, 3}, {200, 200, 200});
  EXPECT_EQ(gwtest::pixels(pb), std::vector<unsigned>({64 << 16, 0, 0x808080, 0xBFBFBF, 0x010203}));
  ManagedPixelBuffer small(PixelFormat::rgb565(), Point(1, 1), nullptr);
  fb::verticalGradRect(&small, Rect(0, 0, 1, 1), {255, 128, 0}, {0, 0, 0});
  EXPECT_EQ(small.getPixelAt(Point(0, 0)), 31u << 11 | 32u << 5);
}
