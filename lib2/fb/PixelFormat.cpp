#include "lib2/fb/PixelFormat.h"

#include <bit>

#include "lib1/rdr/InStream.h"
#include "lib1/rdr/OutStream.h"

namespace fb {

PixelFormat::PixelFormat() : PixelFormat(8, 8, false, true, 7, 7, 3, 0, 3, 6) {}

PixelFormat::PixelFormat(int bitsPerPixel, int significantBits, bool msbFirst, bool channels,
                         int rMax, int gMax, int bMax, int rShift, int gShift, int bShift,
                         int aShift, int aMax)
    : bpp(uint8_t(bitsPerPixel)),
      depth(uint8_t(significantBits)),
      bigEndian(msbFirst),
      trueColour(channels),
      redMax(uint16_t(rMax)),
      greenMax(uint16_t(gMax)),
      blueMax(uint16_t(bMax)),
      alphaMax(uint16_t(aMax)),
      redShift(uint8_t(rShift)),
      greenShift(uint8_t(gShift)),
      blueShift(uint8_t(bShift)),
      alphaShift(uint8_t(aShift)) {}

bool PixelFormat::equal(const PixelFormat& other) const {
  if (bpp != other.bpp || depth != other.depth) return false;
  if (bigEndian != other.bigEndian && bpp != 8) return false;
  if (trueColour != other.trueColour) return false;
  if (!trueColour) return true;
  return redMax == other.redMax && greenMax == other.greenMax && blueMax == other.blueMax &&
         redShift == other.redShift && greenShift == other.greenShift &&
         blueShift == other.blueShift && alphaShift == other.alphaShift &&
         alphaMax == other.alphaMax;
}

bool PixelFormat::isNativeEndian() const {
  return bpp == 8 || bigEndian == (std::endian::native == std::endian::big);
}

bool PixelFormat::makeNativeEndian() {
  if (bpp == 8) bigEndian = false;
  if (!bigEndian) return true;
  if (redShift % 8 || greenShift % 8 || blueShift % 8 || alphaShift % 8) return false;
  // Reversing the bytes of the value moves the byte at shift s to bpp - s - 8.
  auto mirror = [this](uint8_t shift) { return uint8_t(bpp - shift - 8); };
  redShift = mirror(redShift);
  greenShift = mirror(greenShift);
  blueShift = mirror(blueShift);
  if (alphaMax) alphaShift = mirror(alphaShift);
  bigEndian = false;
  return true;
}

void PixelFormat::align() {
  // Blue or red sits at shift 0 and stays there; the other one is on top.
  uint8_t& top = redShift >= greenShift ? redShift : blueShift;
  int spare = bpp - depth;
  if (int gap = (8 - greenShift % 8) % 8) {
    greenShift = uint8_t(greenShift + gap);
    top = uint8_t(top + gap);
    spare -= gap;
  }
  if (int gap = (8 - top % 8) % 8) {
    top = uint8_t(top + gap);
    spare -= gap;
  }
  if (spare < 0) bpp = uint8_t(bpp * 2);
}

void PixelFormat::read(rdr::InStream* is) {
  // Into a copy: a record cut short must not leave a half-read format.
  PixelFormat pf;
  pf.bpp = uint8_t(is->readU8());
  pf.depth = uint8_t(is->readU8());
  pf.bigEndian = is->readU8() != 0;
  pf.trueColour = is->readU8() != 0;
  pf.redMax = uint16_t(is->readU16());
  pf.greenMax = uint16_t(is->readU16());
  pf.blueMax = uint16_t(is->readU16());
  pf.redShift = uint8_t(is->readU8());
  pf.greenShift = uint8_t(is->readU8());
  pf.blueShift = uint8_t(is->readU8());
  pf.alphaShift = uint8_t(is->readU8());
  pf.alphaMax = uint16_t(is->readU16());

  // A peer that knows no alpha sends zeros there, or leftovers: alpha counts
  // only when the depth includes its bits.
  int bits = std::popcount(pf.redMax) + std::popcount(pf.greenMax) + std::popcount(pf.blueMax) +
             std::popcount(pf.alphaMax);
  if (bits != pf.depth) pf.alphaMax = 0;
  if (pf.alphaMax == 0) pf.alphaShift = 0;
  *this = pf;
}

void PixelFormat::write(rdr::OutStream* os) const {
  os->writeU8(bpp);
  os->writeU8(depth);
  os->writeU8(bigEndian ? 1 : 0);
  os->writeU8(trueColour ? 1 : 0);
  os->writeU16(redMax);
  os->writeU16(greenMax);
  os->writeU16(blueMax);
  os->writeU8(redShift);
  os->writeU8(greenShift);
  os->writeU8(blueShift);
  os->writeU8(alphaShift);
  os->writeU16(alphaMax);
}

const PixelFormat& PixelFormat::rgb888() {
  static const PixelFormat pf(32, 24, false, true, 255, 255, 255, 16, 8, 0);
  return pf;
}
const PixelFormat& PixelFormat::bgr888() {
  static const PixelFormat pf(32, 24, false, true, 255, 255, 255, 0, 8, 16);
  return pf;
}
const PixelFormat& PixelFormat::rgb565() {
  static const PixelFormat pf(16, 16, false, true, 31, 63, 31, 11, 5, 0);
  return pf;
}
const PixelFormat& PixelFormat::rgb555() {
  static const PixelFormat pf(16, 15, false, true, 31, 31, 31, 10, 5, 0);
  return pf;
}
const PixelFormat& PixelFormat::rgb222() {
  static const PixelFormat pf(8, 6, false, true, 3, 3, 3, 4, 2, 0);
  return pf;
}
const PixelFormat& PixelFormat::rgb111() {
  static const PixelFormat pf(8, 3, false, true, 1, 1, 1, 2, 1, 0);
  return pf;
}
const PixelFormat& PixelFormat::pal8() {
  static const PixelFormat pf(8, 8, false, false, 0, 0, 0, 0, 0, 0);
  return pf;
}
const PixelFormat& PixelFormat::argb8() {
  static const PixelFormat pf(32, 32, false, true, 255, 255, 255, 16, 8, 0, 24, 255);
  return pf;
}
const PixelFormat& PixelFormat::argb8le() {
  static const PixelFormat pf(32, 32, false, true, 255, 255, 255, 16, 8, 0, 24, 255);
  return pf;
}
const PixelFormat& PixelFormat::rgba8be() {
  static const PixelFormat pf(32, 32, true, true, 255, 255, 255, 24, 16, 8, 0, 255);
  return pf;
}

}  // namespace fb
