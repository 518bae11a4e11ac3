#include "lib2/fb/DrawMask.h"

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

const PixelFormat kGrey8(8, 8, false, true, 255, 255, 255, 0, 0, 0);

}  // namespace

TEST(MaskFill, SetBitsDrawMostSignificantFirst) {
  ManagedPixelBuffer pb(kGrey8, Point(4, 1), nullptr);
  const unsigned char mask[] = {0xA0};
  fb::maskFill(&pb, Rect(0, 0, 4, 1), 1, mask, 0, 0);
  EXPECT_EQ(picture(pb), (Picture{"#.#."}));
}

TEST(MaskFill, ClippedPartReadsTheMatchingBitsAfterTheFirstBit) {
  // Rows of three bytes. The rectangle starts 4 pixels left of the buffer
  // and each row at bit 3, so the visible pixels read bits 7 to 12.
  const unsigned char mask[] = {0x19, 0xA4, 0x06, 0x01, 0xE0, 0x00};
  ManagedPixelBuffer pb(kGrey8, Rect(0, 0, 6, 2), nullptr);
  fb::maskFill(&pb, Rect(-4, 0, 8, 2), 1, mask, 3, 3);
  EXPECT_EQ(picture(pb), (Picture{"##.#..", "####.."}));
}

TEST(MaskFill, SkipsWholeClearBytesWithoutLosingBits) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(20, 1), nullptr);
  const unsigned char mask[] = {0x00, 0x81, 0x00};
  fb::maskFill(&pb, Rect(0, 0, 20, 1), 0x123456, mask, 0, 0);
  for (int x = 0; x < 20; x++)
    EXPECT_EQ(pb.getPixelAt(Point(x, 0)), x == 8 || x == 15 ? 0x123456u : 0u) << x;
}

TEST(MaskRect, SetBitsCopyTheMatchingSourcePixels) {
  ManagedPixelBuffer pb(PixelFormat::rgb565(), Rect(0, 0, 3, 2), nullptr);
  const uint16_t pixels[] = {1, 2, 3, 4, 0, 5, 6, 7, 8, 0};  // 3 x 2 laid out for 4 x 2, stride 5
  const unsigned char mask[] = {0xF0, 0x50};
  fb::maskRect(&pb, Rect(-1, 0, 3, 2), pixels, mask, 5, 1, 0);
  EXPECT_EQ(pb.getPixelAt(Point(0, 0)), 2u);
  EXPECT_EQ(pb.getPixelAt(Point(1, 0)), 3u);
  EXPECT_EQ(pb.getPixelAt(Point(2, 0)), 4u);
  EXPECT_EQ(pb.getPixelAt(Point(0, 1)), 6u);
  EXPECT_EQ(pb.getPixelAt(Point(1, 1)), 0u);
  EXPECT_EQ(pb.getPixelAt(Point(2, 1)), 8u);
}

TEST(MaskFillDeath, RefusesABitBeforeTheRow) {
  ManagedPixelBuffer pb(kGrey8, Point(4, 1), nullptr);
  const unsigned char mask[] = {0xFF};
  EXPECT_DEATH(fb::maskFill(&pb, Rect(0, 0, 4, 1), 1, mask, 0, -1), "maskX >= 0");
}
