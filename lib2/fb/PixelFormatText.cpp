// The text forms of a pixel format: the short names that parse reads and the
// description that toString writes for logs.
#include <strings.h>

#include "lib2/fb/PixelFormat.h"

namespace fb {

namespace {

// max is an n-bit channel's maximum, 2^n - 1 (n from 0 to 16, as maxima are
// 16-bit). Guards the shifts against the stray values of a foreign record.
bool isMaxOfBits(unsigned max, int n) { return n >= 0 && n <= 16 && max == (1u << n) - 1; }

// A channel width "1" to "9".
int bitsOf(char c) { return c >= '1' && c <= '9' ? c - '0' : 0; }

}  // namespace

bool PixelFormat::parse(const char* text) {
  if (!text) return false;
  // Into a copy: a rejected text must not change this format.
  PixelFormat pf = *this;
  if (strncasecmp(text, "pal", 3) == 0) {
    // The whole rest is the number: "pal8x" is no format.
    const char* digits = text + 3;
    int n = 0;
    for (const char* p = digits; *p; p++) {
      if (*p < '0' || *p > '9' || n > 8) return false;
      n = n * 10 + (*p - '0');
    }
    if (!*digits || n < 1 || n > 8) return false;
    pf.trueColour = false;
    pf.depth = uint8_t(n);
  } else {
    if (strlen(text) != 6) return false;
    bool rgb = strncasecmp(text, "rgb", 3) == 0;
    if (!rgb && strncasecmp(text, "bgr", 3) != 0) return false;
    int x = bitsOf(text[3]), y = bitsOf(text[4]), z = bitsOf(text[5]);
    if (!x || !y || !z) return false;
    pf.trueColour = true;
    pf.depth = uint8_t(x + y + z);
    // The first channel named is the top one.
    uint16_t topMax = uint16_t((1 << x) - 1), bottomMax = uint16_t((1 << z) - 1);
    pf.greenMax = uint16_t((1 << y) - 1);
    pf.greenShift = uint8_t(z);
    pf.redMax = rgb ? topMax : bottomMax;
    pf.redShift = uint8_t(rgb ? y + z : 0);
    pf.blueMax = rgb ? bottomMax : topMax;
    pf.blueShift = uint8_t(rgb ? 0 : y + z);
  }
  pf.bpp = pf.depth <= 8 ? 8 : pf.depth <= 16 ? 16 : 32;
  pf.bigEndian = false;
  *this = pf;
  return true;
}

void PixelFormat::toString(plat::SString<128>* out) const {
  out->prf("depth %d (%d bpp)", depth, bpp);
  if (bpp != 8) out->append(bigEndian ? " big-endian" : " little-endian");
  if (!trueColour) {
    out->append(" colour-map");
  } else if (blueShift == 0 && 0 < greenShift && greenShift < redShift &&
             isMaxOfBits(blueMax, greenShift) && isMaxOfBits(greenMax, redShift - greenShift) &&
             isMaxOfBits(redMax, depth - redShift)) {
    out->prf(" rgb%d%d%d", depth - redShift, redShift - greenShift, int(greenShift));
  } else if (redShift == 0 && 0 < greenShift && greenShift < blueShift &&
             isMaxOfBits(redMax, greenShift) && isMaxOfBits(greenMax, blueShift - greenShift) &&
             isMaxOfBits(blueMax, depth - blueShift)) {
    out->prf(" bgr%d%d%d", depth - blueShift, blueShift - greenShift, int(greenShift));
  } else {
    out->prf(" rgb max %d,%d,%d shift %d,%d,%d", redMax, greenMax, blueMax, redShift, greenShift,
             blueShift);
  }
  if (alphaMax) out->prf(" alpha max %d shift %d", alphaMax, alphaShift);
}

}  // namespace fb
