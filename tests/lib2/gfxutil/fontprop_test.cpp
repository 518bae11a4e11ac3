#include "lib2/gfxutil/FontProp.h"

#include <gtest/gtest.h>

#include "lib1/rdr/MemInStream.h"
#include "tests/support/Failure.h"
#include "tests/support/FontBytes.h"

namespace {

using gwtest::FontBytes;

gfxutil::FontProp read(const FontBytes& f) {
  rdr::MemInStream in(f.bytes.data(), int(f.bytes.size()));
  return gfxutil::FontProp(&in);
}

// Code point 0 advances 3, 'A' 7, U+0101 (on the second page) 9; code points
// on no page, and invalid ones, take code point 0's glyph.
TEST(FontProp, GlyphLookupFallsBackToCodePointZero) {
  gfxutil::FontProp f = read(FontBytes({0x100}, {0, 3}, {{'A', {0, 7}}, {129, {0, 9}}}, {}));
  std::pair<int, int> rows[] = {{'A', 7}, {0x101, 9}, {0x181, 3}, {0x10101, 3}, {-1, 3}};
  for (auto [c, advance] : rows) EXPECT_EQ(f.charWidth(c), advance) << std::hex << c;
}

TEST(FontProp, PageCountLimit) {
  EXPECT_EQ(read(FontBytes(std::vector<uint32_t>(1023, 0x80), {0, 1}, {}, {})).pageCount(), 1024);
  // Refused from the header alone: nothing further is there to read.
  FontBytes tooMany({}, {}, {}, {});
  tooMany.bytes = {0, 15, 0x04, 0x00};
  EXPECT_EQ(gwtest::failureOf([&] { read(tooMany); }), "Bad font data");
}

// Offset plus size counts in 64 bits: a sum past 2^32 must not wrap.
TEST(FontProp, BitmapAreaLimit) {
  const uint32_t limit = 0x400000;
  EXPECT_NO_THROW(read(FontBytes({}, {limit - 2, 1, 0, 0, 8, 2}, {}, std::vector<uint8_t>(limit))));
  for (uint32_t offset : {limit - 1, 0xFFFFFFFFu}) {
    FontBytes bad({}, {0, 1}, {{5, {offset, 1, 0, 0, 8, 2}}}, {});
    EXPECT_EQ(gwtest::failureOf([&] { read(bad); }), "Bad font data") << offset;
  }
}

}  // namespace
