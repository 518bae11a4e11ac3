#include "lib2/fb/DrawMask.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using plat::Rect;
using Picture = std::vector<std::string>;

const fb::PixelFormat kGrey8(8, 8, false, true, 255, 255, 255, 0, 0, 0);

// Rows of three bytes, the rectangle 4 pixels left of the buffer and each row
// from bit 3: the visible pixels read bits 7 to 12. Whole clear bytes skipped.
TEST(MaskFill, SetBitsDrawFromTheFirstBitOfEachRowClipped) {
  const unsigned char mask[] = {0x19, 0xA4, 0x06, 0x01, 0xE0, 0x00}, clear[] = {0x00, 0x81, 0x00};
  ManagedPixelBuffer pb(kGrey8, Rect(0, 0, 6, 2), nullptr),
      wide(kGrey8, plat::Point(20, 1), nullptr);
  fb::maskFill(&pb, Rect(-4, 0, 8, 2), 1, mask, 3, 3);
  EXPECT_EQ(gwtest::picture(pb), (Picture{"##.#..", "####.."}));
  fb::maskFill(&wide, Rect(0, 0, 20, 1), 1, clear, 0, 0);
  EXPECT_EQ(gwtest::picture(wide), (Picture{"........#......#...."}));
}

TEST(MaskRect, SetBitsCopyTheMatchingSourcePixels) {
  ManagedPixelBuffer pb(fb::PixelFormat::rgb565(), Rect(0, 0, 3, 2), nullptr);
  const uint16_t pixels[] = {1, 2, 3, 4, 0, 5, 6, 7, 8, 0};  // 3 x 2 laid out for 4 x 2, stride 5
  const unsigned char mask[] = {0xF0, 0x50};
  fb::maskRect(&pb, Rect(-1, 0, 3, 2), pixels, mask, 5, 1, 0);
  EXPECT_EQ(gwtest::pixels(pb), std::vector<unsigned>({2, 3, 4, 6, 0, 8}));
}

TEST(MaskFillDeath, RefusesABitBeforeTheRow) {
  ManagedPixelBuffer pb(kGrey8, plat::Point(4, 1), nullptr);
  const unsigned char mask[] = {0xFF};
  EXPECT_DEATH(fb::maskFill(&pb, Rect(0, 0, 4, 1), 1, mask, 0, -1), "maskX >= 0");
}
