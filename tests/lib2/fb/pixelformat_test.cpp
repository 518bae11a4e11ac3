#include "lib2/fb/PixelFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib2/fb/ColourCube.h"

using fb::ColourWithAlpha;
using fb::PixelFormat;

namespace {

std::string describe(const PixelFormat& pf) {
  plat::SString<128> s;
  pf.toString(&s);
  return s.get();
}

std::string wire(const PixelFormat& pf) {
  rdr::MemOutStream out;
  pf.write(&out);
  return std::string(reinterpret_cast<const char*>(out.data()), out.length());
}

PixelFormat fromWire(const std::string& bytes, PixelFormat pf = PixelFormat()) {
  rdr::MemInStream in(bytes.data(), int(bytes.size()));
  pf.read(&in);
  return pf;
}

bool sameFields(const PixelFormat& a, const PixelFormat& b) { return wire(a) == wire(b); }

}  // namespace

TEST(PixelFormat, PresetsDescribeThemselves) {
  struct {
    const PixelFormat& pf;
    const char* text;
  } cases[] = {
      {PixelFormat::rgb888(), "depth 24 (32 bpp) little-endian rgb888"},
      {PixelFormat::rgb565(), "depth 16 (16 bpp) little-endian rgb565"},
      {PixelFormat::rgb555(), "depth 15 (16 bpp) little-endian rgb555"},
      {PixelFormat::bgr888(), "depth 24 (32 bpp) little-endian bgr888"},
      {PixelFormat::rgb222(), "depth 6 (8 bpp) rgb222"},
      {PixelFormat::rgb111(), "depth 3 (8 bpp) rgb111"},
      {PixelFormat::pal8(), "depth 8 (8 bpp) colour-map"},
      {PixelFormat::argb8(),
       "depth 32 (32 bpp) little-endian rgb max 255,255,255 shift 16,8,0 alpha max 255 shift 24"},
      {PixelFormat::rgba8be(),
       "depth 32 (32 bpp) big-endian rgb max 255,255,255 shift 24,16,8 alpha max 255 shift 0"},
      {PixelFormat(), "depth 8 (8 bpp) bgr233"},
  };
  for (const auto& c : cases) EXPECT_EQ(describe(c.pf), c.text);
}

TEST(PixelFormat, DescriptionSurvivesShiftsNoChannelCanHave) {
  // From a foreign record: shifts past the pixel and a depth below them must
  // neither match a name nor shift out of range.
  PixelFormat pf(32, 4, false, true, 255, 255, 255, 200, 100, 0);
  EXPECT_EQ(describe(pf), "depth 4 (32 bpp) little-endian rgb max 255,255,255 shift 200,100,0");
}

TEST(PixelFormat, ParseAcceptsNamesInAnyCase) {
  PixelFormat pf;
  ASSERT_TRUE(pf.parse("BGR233"));
  EXPECT_TRUE(sameFields(pf, PixelFormat()));
  ASSERT_TRUE(pf.parse("rgb565"));
  EXPECT_TRUE(sameFields(pf, PixelFormat::rgb565()));
  ASSERT_TRUE(pf.parse("RgB999"));
  EXPECT_EQ(pf.depth, 27);
  EXPECT_EQ(pf.bpp, 32);
  ASSERT_TRUE(pf.parse("PAL4"));
  EXPECT_FALSE(pf.trueColour);
  EXPECT_EQ(pf.depth, 4);
  EXPECT_EQ(pf.bpp, 8);
  EXPECT_EQ(pf.blueShift, 0);  // maxima and shifts stay as they were
  EXPECT_EQ(pf.redShift, 18);
}

TEST(PixelFormat, RejectedTextLeavesTheFormatAsItWas) {
  for (const char* text : {"pal0", "pal9", "pal", "pal8x", "pal-1", "pal 8", "pal99999999999",
                           "rgb055", "rgb5650", "rgb56", "rgb56a", "xyz565", "", "rgb 65"}) {
    PixelFormat pf = PixelFormat::rgb565();
    EXPECT_FALSE(pf.parse(text)) << text;
    EXPECT_TRUE(sameFields(pf, PixelFormat::rgb565())) << text;
  }
  PixelFormat pf;
  EXPECT_FALSE(pf.parse(nullptr));
}

TEST(PixelFormat, EveryNameRoundTripsThroughItsDescription) {
  for (const char* prefix : {"rgb", "bgr"}) {
    for (int x = 1; x <= 9; x++)
      for (int y = 1; y <= 9; y++)
        for (int z = 1; z <= 9; z++) {
          std::string name = prefix + std::to_string(x * 100 + y * 10 + z);
          PixelFormat pf;
          ASSERT_TRUE(pf.parse(name.c_str()));
          std::string text = describe(pf);
          ASSERT_EQ(text.substr(text.size() - 7), " " + name) << text;
          EXPECT_EQ(pf.bpp, x + y + z <= 8 ? 8 : x + y + z <= 16 ? 16 : 32);
        }
  }
  for (int n = 1; n <= 8; n++) {
    PixelFormat pf;
    ASSERT_TRUE(pf.parse(("pal" + std::to_string(n)).c_str()));
    EXPECT_EQ(describe(pf), "depth " + std::to_string(n) + " (8 bpp) colour-map");
  }
}

TEST(PixelFormat, EqualityIgnoresWhatDoesNotChangeTheLayout) {
  PixelFormat big8 = PixelFormat::rgb222();
  big8.bigEndian = true;
  EXPECT_TRUE(big8.equal(PixelFormat::rgb222()));
  PixelFormat big16 = PixelFormat::rgb565();
  big16.bigEndian = true;
  EXPECT_FALSE(big16.equal(PixelFormat::rgb565()));
  PixelFormat pal = PixelFormat::pal8();
  pal.redMax = 7;
  pal.greenShift = 3;
  EXPECT_TRUE(pal.equal(PixelFormat::pal8()));
  EXPECT_FALSE(PixelFormat::argb8().equal(PixelFormat::rgb888()));
  EXPECT_TRUE(PixelFormat::argb8().equal(PixelFormat::argb8le()));
}

TEST(PixelFormat, WireRecordRoundTrips) {
  std::string bytes = wire(PixelFormat::rgba8be());
  EXPECT_EQ(bytes,
            std::string("\x20\x20\x01\x01\x00\xff\x00\xff\x00\xff\x18\x10\x08\x00\x00\xff", 16));
  EXPECT_TRUE(sameFields(fromWire(bytes), PixelFormat::rgba8be()));
  // Any non-zero flag byte reads as true and is written back as 1.
  bytes[2] = 7;
  EXPECT_EQ(wire(fromWire(bytes))[2], 1);
}

TEST(PixelFormat, WireAlphaCountsOnlyWhenTheDepthIncludesIt) {
  PixelFormat withAlpha(32, 24, false, true, 255, 255, 255, 16, 8, 0, 24, 255);
  PixelFormat read24 = fromWire(wire(withAlpha));
  EXPECT_EQ(read24.alphaMax, 0);
  EXPECT_EQ(read24.alphaShift, 0);
  withAlpha.depth = 32;
  PixelFormat read32 = fromWire(wire(withAlpha));
  EXPECT_EQ(read32.alphaMax, 255);
  EXPECT_EQ(read32.alphaShift, 24);
  PixelFormat noAlpha(32, 24, false, true, 255, 255, 255, 16, 8, 0, 24, 0);
  EXPECT_EQ(fromWire(wire(noAlpha)).alphaShift, 0);
}

TEST(PixelFormat, WireRecordCutShortThrowsAndChangesNothing) {
  std::string bytes = wire(PixelFormat::rgb565()).substr(0, 11);
  PixelFormat pf = PixelFormat::rgb888();
  rdr::MemInStream in(bytes.data(), int(bytes.size()));
  EXPECT_THROW(pf.read(&in), plat::Exception);
  EXPECT_TRUE(sameFields(pf, PixelFormat::rgb888()));
}

TEST(PixelFormat, NativeEndianRewritesWholeByteShifts) {
  PixelFormat pf = PixelFormat::rgba8be();
  EXPECT_FALSE(pf.isNativeEndian());
  ASSERT_TRUE(pf.makeNativeEndian());
  EXPECT_TRUE(pf.isNativeEndian());
  EXPECT_EQ(std::vector<int>({pf.redShift, pf.greenShift, pf.blueShift, pf.alphaShift}),
            std::vector<int>({0, 8, 16, 24}));

  PixelFormat big565 = PixelFormat::rgb565();
  big565.bigEndian = true;
  EXPECT_FALSE(big565.makeNativeEndian());
  EXPECT_TRUE(big565.bigEndian);

  PixelFormat big8 = PixelFormat::rgb111();
  big8.bigEndian = true;
  EXPECT_TRUE(big8.isNativeEndian());
  EXPECT_TRUE(big8.makeNativeEndian());
  EXPECT_FALSE(big8.bigEndian);
  EXPECT_EQ(big8.redShift, 2);
}

TEST(PixelFormat, BigEndianPixelsReadTheSameAfterMakingThemNative) {
  PixelFormat big = PixelFormat::rgba8be();
  PixelFormat native = big;
  ASSERT_TRUE(native.makeNativeEndian());
  ColourWithAlpha c{10, 20, 30, 40};
  unsigned pixel = big.rgba8ToPixel(c, nullptr);
  unsigned char bytes[4];
  memcpy(bytes, &pixel, 4);
  EXPECT_EQ(bytes[0], 10);  // stored red first
  ColourWithAlpha back;
  native.pixelToRgba8(pixel, &back, nullptr);
  EXPECT_EQ(back, c);
}

TEST(PixelFormat, AlignMovesChannelsToByteBoundaries) {
  struct {
    PixelFormat in;
    int bpp, red, green, blue;
  } cases[] = {
      {PixelFormat::rgb565(), 32, 16, 8, 0},
      {PixelFormat::rgb888(), 32, 16, 8, 0},
      {PixelFormat(32, 18, false, true, 63, 63, 63, 12, 6, 0), 32, 16, 8, 0},
      {PixelFormat(16, 6, false, true, 3, 3, 3, 0, 2, 4), 32, 0, 8, 16},
  };
  for (auto& c : cases) {
    PixelFormat pf = c.in;
    pf.align();
    EXPECT_EQ(std::vector<int>({pf.bpp, pf.redShift, pf.greenShift, pf.blueShift}),
              std::vector<int>({c.bpp, c.red, c.green, c.blue}))
        << describe(c.in);
    EXPECT_EQ(pf.depth, c.in.depth);
  }
}

TEST(PixelFormat, Rgb565ExtremesConvertExactly) {
  ColourWithAlpha c;
  PixelFormat::rgb565().pixelToRgba8(0xFFFF, &c, nullptr);
  EXPECT_EQ(c, (ColourWithAlpha{255, 255, 255, 255}));
  for (int a : {0, 128, 255})
    EXPECT_EQ(PixelFormat::rgb565().rgba8ToPixel({255, 255, 255, a}, nullptr), 0xFFFFu);
  PixelFormat::rgb565().pixelToRgba8(0x0821, &c, nullptr);  // 1 in every channel
  EXPECT_EQ(c, (ColourWithAlpha{8, 4, 8, 255}));
}

TEST(PixelFormat, Argb8ConversionsAreExactInverses) {
  const PixelFormat& pf = PixelFormat::argb8();
  for (int v = 0; v < 256; v++) {
    ColourWithAlpha c{v, 255 - v, v ^ 0x55, (v * 7) & 255};
    ColourWithAlpha back;
    unsigned pixel = pf.rgba8ToPixel(c, nullptr);
    pf.pixelToRgba8(pixel, &back, nullptr);
    ASSERT_EQ(back, c) << v;
    ASSERT_EQ(pf.rgba8ToPixel(back, nullptr), pixel);
  }
}

TEST(PixelFormat, NarrowAlphaIsRescaled) {
  // 4-bit alpha at the top of a 16-bit value.
  PixelFormat pf(16, 16, false, true, 15, 15, 15, 8, 4, 0, 12, 15);
  ColourWithAlpha c;
  pf.pixelToRgba8(0x8FFF, &c, nullptr);
  EXPECT_EQ(c.a, 136);
  EXPECT_EQ(pf.rgba8ToPixel({255, 255, 255, 136}, nullptr), 0x8FFFu);
  EXPECT_EQ(PixelFormat::rgb888().rgba8ToPixel({1, 2, 3, 200}, nullptr), 0x010203u);
}

TEST(PixelFormat, ColourMappedPixelsGoThroughTheMap) {
  fb::ColourCube cube(6, 6, 6);
  PixelFormat pf = PixelFormat::pal8();
  EXPECT_EQ(pf.rgba8ToPixel({255, 255, 255, 0}, &cube), 215u);
  ColourWithAlpha c{1, 2, 3, 4};
  pf.pixelToRgba8(129, &c, &cube);
  EXPECT_EQ(c, (ColourWithAlpha{153, 153, 153, 255}));
  PixelFormat big = PixelFormat(16, 16, true, false, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(big.rgba8ToPixel({255, 255, 255, 0}, &cube), 0xD700u);
}

TEST(PixelFormat, ReadPixelTakesEachWidth) {
  const unsigned char bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a};
  const unsigned char* p = bytes;
  EXPECT_EQ(fb::readPixel<8>(&p), 0x01u);
  EXPECT_EQ(fb::readPixel<24>(&p), 0x040302u);
  uint16_t v16;
  memcpy(&v16, p, 2);
  EXPECT_EQ(fb::readPixel<16>(&p), v16);
  uint32_t v32;
  memcpy(&v32, p, 4);
  EXPECT_EQ(fb::readPixel<32>(&p), v32);
  EXPECT_EQ(p, bytes + 10);
}

TEST(PixelFormat, ShiftsFromAForeignRecordDoNotOverflow) {
  // Shifts of 32 and more wrap instead of being undefined.
  PixelFormat pf(32, 24, false, true, 255, 255, 255, 48, 40, 32);
  ColourWithAlpha c;
  pf.pixelToRgba8(0x00112233, &c, nullptr);
  EXPECT_EQ(c, (ColourWithAlpha{0x11, 0x22, 0x33, 255}));
  EXPECT_EQ(pf.rgba8ToPixel(c, nullptr), 0x00112233u);
}
