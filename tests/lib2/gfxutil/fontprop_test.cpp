#include "lib2/gfxutil/FontProp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib1/rdr/MemInStream.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/Failure.h"
#include "tests/support/FontBytes.h"
#include "tests/support/PixelPicture.h"

namespace {

using gwtest::FontBytes;

gfxutil::FontProp read(const FontBytes& f) {
  rdr::MemInStream in(f.bytes.data(), int(f.bytes.size()));
  return gfxutil::FontProp(&in);
}

// Code point 0 advances 3; 'A' 7; U+0101 (second page) 9.
FontBytes twoPages() {
  return FontBytes({0x100}, {0, 3, 0, 0, 0, 0},
                   {{'A', {0, 7, 0, 0, 0, 0}}, {128 + 1, {0, 9, 0, 0, 0, 0}}}, {});
}

TEST(FontProp, GlyphLookupFallsBackToCodePointZero) {
  gfxutil::FontProp f = read(twoPages());
  struct Row {
    int c, advance;
  } rows[] = {{'A', 7}, {'B', 3}, {0x101, 9}, {0x100, 3}, {0x181, 3}, {0x10101, 3}, {-1, 3}};
  for (const Row& r : rows) EXPECT_EQ(f.charWidth(r.c), r.advance) << std::hex << r.c;
  EXPECT_EQ(f.height, 15);
}

TEST(FontProp, PageCountLimit) {
  FontBytes ok(std::vector<uint32_t>(1023, 0x80), {0, 1, 0, 0, 0, 0}, {}, {});
  EXPECT_EQ(read(ok).pageCount(), 1024);
  // Refused from the header alone: nothing further is there to read.
  const uint8_t tooMany[] = {0, 15, 0x04, 0x00};
  rdr::MemInStream in(tooMany, sizeof(tooMany));
  EXPECT_EQ(gwtest::failureOf([&] { gfxutil::FontProp f(&in); }), "Bad font data");
}

TEST(FontProp, BitmapAreaLimitIncludingSumsPast32Bits) {
  const uint32_t limit = 0x400000;
  FontBytes atLimit({}, {limit - 2, 1, 0, 0, 8, 2}, {}, std::vector<uint8_t>(limit));
  EXPECT_NO_THROW(read(atLimit));
  struct Row {
    uint32_t offset;
    uint8_t width, rows;
  } rows[] = {{limit - 1, 8, 2}, {0xFFFFFFFF, 8, 2}, {0xFFFFFF00, 255, 255}};
  for (const Row& r : rows) {
    FontBytes bad({}, {0, 1, 0, 0, 0, 0}, {{5, {r.offset, 1, 0, 0, r.width, r.rows}}}, {});
    EXPECT_EQ(gwtest::failureOf([&] { read(bad); }), "Bad font data") << r.offset;
  }
}

TEST(FontProp, ShortDataFailsWithTheStreamsError) {
  FontBytes cut({}, {0, 1, 0, 0, 8, 1}, {}, {});  // one bitmap byte missing
  EXPECT_NE(gwtest::failureOf([&] { read(cut); }), "(none)");
}

TEST(FontProp, DrawCharPlacesTheBitmapAtThePenWithClipping) {
  // 'x': a 10-pixel-wide, 2-row bitmap (two bytes a row) one right and one
  // down from the pen.
  FontBytes bytes({}, {0, 4, 0, 0, 0, 0}, {{'x', {0, 12, 1, 1, 10, 2}}}, {0xC0, 0x40, 0x81, 0x80});
  gfxutil::FontProp f = read(bytes);
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), plat::Point(12, 4), nullptr);
  f.drawChar(&pb, 'x', plat::Point(0, 0), 0xffffff);
  f.drawChar(&pb, 'x', plat::Point(-8, 2), 0xffffff);  // half outside: clipped
  std::vector<std::string> expected{
      "............",
      ".##.......#.",
      ".#......##..",
      "..#.........",
  };
  EXPECT_EQ(gwtest::picture(pb), expected);
}

}  // namespace
