// fb::PixelFormat: how one pixel value packs its colour. Either true colour,
// where each of red, green, blue and (when alphaMax is not 0) alpha sits at a
// shift with a maximum, or colour-mapped, where the value is an index into a
// ColourMap. Values are stored in host byte order at 16 and 32 bits and least
// significant byte first at 24 bits; the bigEndian flag is applied when a
// value is turned into a colour or back.
//
// A plain value: copied freely. Formats arriving from outside may hold any
// field values, so the conversions below never shift by 32 or more.
#pragma once

#include <cstdint>
#include <cstring>

#include "lib1/plat/Assert.h"
#include "lib1/plat/SString.h"
#include "lib1/rdr/Forward.h"
#include "lib2/fb/ColourMap.h"

namespace fb {

class PixelFormat {
 public:
  // 8-bit true colour, the layout "BGR233": red 3 bits at 0, green 3 at 3,
  // blue 2 at 6.
  PixelFormat();
  // Alpha shift comes before alpha max here.
  PixelFormat(int bpp, int depth, bool bigEndian, bool trueColour, int redMax, int greenMax,
              int blueMax, int redShift, int greenShift, int blueShift, int alphaShift = 0,
              int alphaMax = 0);

  // Same layout of pixel values; the byte order does not matter at 8 bits,
  // nor do maxima and shifts for colour-mapped formats.
  bool equal(const PixelFormat& other) const;
  bool isNativeEndian() const;
  // Whether pixels of this format can be stored and translated: depth 1 to
  // bpp, bpp 8, 16, 24 or 32, and at most 8 bits of colour-map index.
  bool depthAndBppAreValid() const {
    return depth != 0 && depth <= bpp && (bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32) &&
           (trueColour || depth <= 8);
  }
  // Rewrites a big-endian format as the little-endian one that reads the same
  // bytes; false, and unchanged, when a shift is not a whole number of bytes.
  bool makeNativeEndian();
  // Moves green and the top channel up to byte boundaries, doubling bpp when
  // they no longer fit.
  void align();

  // The 16-byte record. A record cut short throws the stream's exception and
  // leaves this format as it was.
  void read(rdr::InStream* is);
  void write(rdr::OutStream* os) const;

  // "palN" (N 1 to 8), "rgbXYZ" or "bgrXYZ" (X, Y, Z 1 to 9 bits), prefixes
  // in any case. False, and unchanged, for any other text.
  bool parse(const char* text);
  void toString(plat::SString<128>* out) const;

  static const PixelFormat& rgb888();
  static const PixelFormat& bgr888();
  static const PixelFormat& rgb565();
  static const PixelFormat& rgb555();
  static const PixelFormat& rgb222();
  static const PixelFormat& rgb111();
  static const PixelFormat& pal8();
  static const PixelFormat& argb8();
  static const PixelFormat& argb8le();
  static const PixelFormat& rgba8be();

  // cm is consulted by colour-mapped formats only, and must be given there.
  void pixelToRgba8(unsigned pixel, ColourWithAlpha* out, const ColourMap* cm) const;
  unsigned rgba8ToPixel(const ColourWithAlpha& c, const ColourMap* cm) const;

  uint8_t bpp;
  uint8_t depth;
  bool bigEndian;
  bool trueColour;
  uint16_t redMax;
  uint16_t greenMax;
  uint16_t blueMax;
  uint16_t alphaMax;
  uint8_t redShift;
  uint8_t greenShift;
  uint8_t blueShift;
  uint8_t alphaShift;

 private:
  bool all255() const { return redMax == 255 && greenMax == 255 && blueMax == 255; }
  unsigned swapped(unsigned pixel) const {
    if (!bigEndian) return pixel;
    if (bpp == 32) return __builtin_bswap32(pixel);
    if (bpp == 16) return __builtin_bswap16(uint16_t(pixel));
    return pixel;
  }
  // Shifts of 32 or more come only from foreign records; they wrap as the
  // processor's shift instructions do.
  static unsigned channel(unsigned pixel, unsigned shift, unsigned max) {
    return (pixel >> (shift & 31)) & max;
  }
  static unsigned place(unsigned value, unsigned shift) { return value << (shift & 31); }
  static int widen(unsigned v, unsigned max) { return max ? int((v * 255 + max / 2) / max) : 0; }
  static unsigned narrow(int v, unsigned max) { return unsigned((int(max) * v + 127) / 255); }
};

// The raw value of one N-bit pixel at *p, which moves on by N / 8 bytes.
template <int N>
inline unsigned readPixel(const unsigned char** p) {
  static_assert(N == 8 || N == 16 || N == 24 || N == 32, "pixels are 8, 16, 24 or 32 bits");
  const unsigned char* q = *p;
  *p += N / 8;
  if constexpr (N == 8) {
    return q[0];
  } else if constexpr (N == 16) {
    uint16_t v;
    memcpy(&v, q, 2);
    return v;
  } else if constexpr (N == 24) {
    return q[0] | unsigned(q[1]) << 8 | unsigned(q[2]) << 16;
  } else {
    uint32_t v;
    memcpy(&v, q, 4);
    return v;
  }
}

inline void PixelFormat::pixelToRgba8(unsigned pixel, ColourWithAlpha* out,
                                      const ColourMap* cm) const {
  pixel = swapped(pixel);
  if (!trueColour) {
    PLAT_ASSERT(cm);
    Colour c{out->r, out->g, out->b};
    cm->pixelToRgb888(pixel, &c);
    *out = ColourWithAlpha{c.r, c.g, c.b, 255};
    return;
  }
  unsigned r = channel(pixel, redShift, redMax);
  unsigned g = channel(pixel, greenShift, greenMax);
  unsigned b = channel(pixel, blueShift, blueMax);
  if (all255()) {
    out->r = int(r);
    out->g = int(g);
    out->b = int(b);
  } else {
    out->r = widen(r, redMax);
    out->g = widen(g, greenMax);
    out->b = widen(b, blueMax);
  }
  unsigned a = channel(pixel, alphaShift, alphaMax);
  out->a = alphaMax == 255 ? int(a) : alphaMax == 0 ? 255 : widen(a, alphaMax);
}

inline unsigned PixelFormat::rgba8ToPixel(const ColourWithAlpha& c, const ColourMap* cm) const {
  if (!trueColour) {
    PLAT_ASSERT(cm);
    return swapped(cm->rgb888ToPixel(Colour{c.r, c.g, c.b}));
  }
  bool exact = all255();
  unsigned r = exact ? unsigned(c.r) : narrow(c.r, redMax);
  unsigned g = exact ? unsigned(c.g) : narrow(c.g, greenMax);
  unsigned b = exact ? unsigned(c.b) : narrow(c.b, blueMax);
  unsigned a = alphaMax == 255 ? unsigned(c.a) : narrow(c.a, alphaMax);
  return swapped(place(r, redShift) | place(g, greenShift) | place(b, blueShift) |
                 place(a, alphaShift));
}

}  // namespace fb
