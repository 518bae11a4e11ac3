#include "lib2/fb/PixelFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "tests/support/StreamDoubles.h"

using fb::ColourWithAlpha;
using fb::PixelFormat;

namespace {

std::string wire(const PixelFormat& pf) {
  rdr::MemOutStream out;
  pf.write(&out);
  return gwtest::bytesOf(out);
}

}  // namespace

TEST(PixelFormat, RejectedTextLeavesTheFormatAsItWas) {
  for (const char* text : {"pal0", "pal9", "pal 8", "pal99999999999", "rgb055", "rgb5650", ""}) {
    PixelFormat pf = PixelFormat::rgb565();
    EXPECT_FALSE(pf.parse(text)) << text;
    EXPECT_EQ(wire(pf), wire(PixelFormat::rgb565())) << text;
  }
}

TEST(PixelFormat, WireRecordKeepsAlphaOnlyWhenTheDepthCountsIt) {
  std::string bytes = wire(PixelFormat::argb8());
  EXPECT_EQ(bytes, std::string("\x20\x20\0\x01\0\xff\0\xff\0\xff\x10\x08\0\x18\0\xff", 16));
  bytes[1] = 24;
  rdr::MemInStream in(bytes.data(), 16);
  PixelFormat pf;
  pf.read(&in);
  EXPECT_EQ(std::vector<int>({pf.alphaMax, pf.alphaShift}), std::vector<int>({0, 0}));
}

TEST(PixelFormat, WireRecordCutShortThrowsAndChangesNothing) {
  std::string bytes = wire(PixelFormat::rgb565()).substr(0, 11);
  PixelFormat pf = PixelFormat::rgb888();
  rdr::MemInStream in(bytes.data(), int(bytes.size()));
  EXPECT_THROW(pf.read(&in), plat::Exception);
  EXPECT_EQ(wire(pf), wire(PixelFormat::rgb888()));
}

// Narrow channels are rescaled; 8-bit ones, and shifts of a foreign record
// past the pixel (which wrap rather than overflow), are exact both ways.
TEST(PixelFormat, ConversionsRescaleNarrowChannelsAndAreExactAt8Bits) {
  ColourWithAlpha c;
  PixelFormat::rgb565().pixelToRgba8(0x0821, &c, nullptr);  // 1 in every channel
  EXPECT_EQ(c, (ColourWithAlpha{8, 4, 8, 255}));
  EXPECT_EQ(PixelFormat::rgb565().rgba8ToPixel({255, 255, 255, 7}, nullptr), 0xFFFFu);
  for (int v = 0; v < 256; v++) {
    ColourWithAlpha in{v, 255 - v, v ^ 0x55, (v * 7) & 255};
    PixelFormat::argb8().pixelToRgba8(PixelFormat::argb8().rgba8ToPixel(in, nullptr), &c, nullptr);
    ASSERT_EQ(c, in);
  }
  PixelFormat wrapping(32, 24, false, true, 255, 255, 255, 48, 40, 32);
  wrapping.pixelToRgba8(0x00112233, &c, nullptr);
  EXPECT_EQ(c, (ColourWithAlpha{0x11, 0x22, 0x33, 255}));
  EXPECT_EQ(wrapping.rgba8ToPixel(c, nullptr), 0x00112233u);
}
