#include "lib2/fb/ImageRect.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;

TEST(ImageRect, CopiesTheClippedPartFromTheMatchingSourceOffset) {
  ManagedPixelBuffer pb(fb::PixelFormat::rgb565(), plat::Rect(0, 0, 3, 2), nullptr);
  // Laid out for (-1,-1)-(2,2): 3 x 3 pixels in rows of 4.
  const uint16_t src[] = {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99};
  fb::imageRect(&pb, plat::Rect(-1, -1, 2, 2), src, 4);
  EXPECT_EQ(gwtest::pixels(pb), std::vector<unsigned>({5, 6, 0, 8, 9, 0}));
}

// The 4 x 3 buffer holds a..l and is moved whole, cut to what has a source.
TEST(CopyRect, MovesOverlappingAreasExactlyInEveryDirection) {
  const std::pair<plat::Point, const char*> cases[] = {
      {{1, 0}, "aabceefgiijk"},  {{-1, 0}, "bcddfghhjkll"}, {{0, 1}, "abcdabcdefgh"},
      {{0, -1}, "efghijklijkl"}, {{1, 1}, "abcdeabciefg"},  {{5, 0}, "abcdefghijkl"},
  };
  for (const auto& [offset, want] : cases) {
    ManagedPixelBuffer pb(fb::PixelFormat(8, 8, false, true, 255, 255, 255, 0, 0, 0),
                          plat::Point(4, 3), nullptr);
    gwtest::paint(&pb, [](int x, int y) { return 'a' + y * 4 + x; });
    fb::copyRect(&pb, pb.getRect(), offset);
    std::vector<unsigned> got = gwtest::pixels(pb);
    EXPECT_EQ(std::string(got.begin(), got.end()), want) << offset.x << "," << offset.y;
  }
}
