// A proportional bitmap font read from the packed font format: a line
// height, pages of 128 code points (page 0 covers 0-127, every further page
// names its first code point), a 10-byte glyph record for every code point of
// every page, then the 1-bit glyph bitmaps that the records point into.
//
// Invariants after construction (the object never changes again): there are
// 128 records per page; pageBases_ holds 0, the file's page bases and the end
// marker 0xFFFFFFFF; every record's bitmap lies wholly inside bitmaps_, so
// drawing never reads outside it. Code points the font lacks use code point
// 0's glyph.
#pragma once

#include <cstdint>
#include <memory>

#include "lib1/rdr/InStream.h"
#include "lib2/gfxutil/Font.h"

namespace gfxutil {

class FontProp : public Font {
 public:
  struct Glyph {
    uint32_t offset;
    uint16_t advance;
    int8_t xOffset;
    int8_t yOffset;
    uint8_t width;
    uint8_t rows;
  };

  static constexpr int kMaxPages = 1024;
  static constexpr uint64_t kMaxBitmapBytes = 0x400000;

  // Reads a whole font from in. Throws "Bad font data" for too many pages
  // or too large a bitmap area, and the stream's own error when data runs
  // out.
  explicit FontProp(rdr::InStream* in);
  ~FontProp() override;

  void drawChar(fb::WritablePixelBuffer* pb, int c, const plat::Point& pos,
                unsigned int colour) override;
  int charWidth(int c) override;

  int pageCount() const { return pages_; }

 private:
  const Glyph& glyph(int c) const;

  int pages_ = 0;
  std::unique_ptr<uint32_t[]> pageBases_;
  std::unique_ptr<Glyph[]> glyphs_;
  std::unique_ptr<unsigned char[]> bitmaps_;
};

}  // namespace gfxutil
