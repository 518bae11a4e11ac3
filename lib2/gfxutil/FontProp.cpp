#include "lib2/gfxutil/FontProp.h"

#include <algorithm>

#include "lib1/plat/Exception.h"
#include "lib2/fb/DrawMask.h"

namespace gfxutil {

FontProp::FontProp(rdr::InStream* in) {
  height = int(in->readU16());
  int extraPages = int(in->readU16());
  if (extraPages + 1 > kMaxPages) throw plat::Exception("Bad font data");
  pages_ = extraPages + 1;
  pageBases_.reset(new uint32_t[pages_ + 1]);
  glyphs_.reset(new Glyph[size_t(pages_) * 128]);
  pageBases_[0] = 0;
  for (int i = 1; i < pages_; i++) pageBases_[i] = in->readU32();
  pageBases_[pages_] = 0xFFFFFFFF;

  // 64-bit: offset plus size can pass 2^32, and a wrapped sum would slip
  // under the limit and leave a glyph pointing outside the bitmaps.
  uint64_t bitmapBytes = 0;
  for (int i = 0; i < pages_ * 128; i++) {
    Glyph& g = glyphs_[i];
    g.offset = in->readU32();
    g.advance = uint16_t(in->readU16());
    g.xOffset = int8_t(in->readS8());
    g.yOffset = int8_t(in->readS8());
    g.width = uint8_t(in->readU8());
    g.rows = uint8_t(in->readU8());
    uint64_t glyphEnd = uint64_t(g.offset) + uint64_t((g.width + 7) / 8) * g.rows;
    bitmapBytes = std::max(bitmapBytes, glyphEnd);
  }
  if (bitmapBytes > kMaxBitmapBytes) throw plat::Exception("Bad font data");
  // One spare byte so that an empty bitmap area still has a valid pointer.
  bitmaps_.reset(new unsigned char[bitmapBytes + 1]);
  in->readBytes(bitmaps_.get(), int(bitmapBytes));
}

FontProp::~FontProp() = default;

const FontProp::Glyph& FontProp::glyph(int c) const {
  if (c >= 0 && c < 128) return glyphs_[c];
  if (c > 0) {
    uint32_t base = uint32_t(c) & ~uint32_t(127);
    for (int i = 1; pageBases_[i] != 0xFFFFFFFF; i++)
      if (pageBases_[i] == base) return glyphs_[i * 128 + (c & 127)];
  }
  return glyphs_[0];
}

void FontProp::drawChar(fb::WritablePixelBuffer* pb, int c, const plat::Point& pos,
                        unsigned int colour) {
  const Glyph& g = glyph(c);
  if (g.width == 0 || g.rows == 0) return;
  plat::Point tl(pos.x + g.xOffset, pos.y + g.yOffset);
  fb::maskFill(pb, plat::Rect(tl, tl + plat::Point(g.width, g.rows)), colour,
               bitmaps_.get() + g.offset, 0, 0);
}

int FontProp::charWidth(int c) { return glyph(c).advance; }

}  // namespace gfxutil
