// Font loading from arbitrary bytes, as a gzip file (the embedded form) or
// as raw font data. The first byte picks the form. A load may fail only with
// a plat::Exception ("Bad font data", a gzip error or the end of the data);
// a font that loads then draws and measures a few characters taken from the
// input, so that a glyph pointing outside its bitmaps shows as an overread.
#include <cstddef>
#include <cstdint>

#include "lib1/plat/Exception.h"
#include "lib1/rdr/MemInStream.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/FontCache.h"

namespace {

void exercise(gfxutil::FontProp* font, const uint8_t* data, size_t size) {
  static fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), plat::Point(64, 32), nullptr);
  int cps[] = {0, 'A', 0x100, 0x2026, 0xFFFD, -1};
  for (size_t i = 0; i < size && i < 8; i++) {
    int c = int(data[i]) << (8 * (i % 3));
    font->drawChar(&pb, c, plat::Point(8, 8), 0xffffff);
    font->charWidth(c);
  }
  for (int c : cps) font->drawChar(&pb, c, plat::Point(-4, 20), 1);
  font->textWidth("W\xC3\xA9\xE2\x80\xA6");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  bool gzip = data[0] & 1;
  data++;
  size--;
  try {
    if (gzip) {
      plat::SharedPtr<gfxutil::FontProp> font = gfxutil::readFont("fuzz", data, int(size));
      exercise(font.get(), data, size);
    } else {
      rdr::MemInStream in(data, int(size));
      gfxutil::FontProp font(&in);
      exercise(&font, data, size);
    }
  } catch (const plat::Exception&) {
  }
  return 0;
}
