#include "lib2/fb/ColourCube.h"

#include <algorithm>
#include <cstdint>

#include "lib1/plat/Assert.h"

namespace fb {

namespace {

// Colour channels outside 0..255 break the callers' contract; clamping keeps
// such a colour from indexing past the table.
int level(int channel, int levels) {
  return ((levels - 1) * std::clamp(channel, 0, 255) + 127) / 255;
}

int intensity(int levelIndex, int levels) {
  return (levelIndex * 255 + (levels - 1) / 2) / (levels - 1);
}

}  // namespace

ColourCube::ColourCube(int nRed, int nGreen, int nBlue)
    : nRed_(nRed), nGreen_(nGreen), nBlue_(nBlue) {
  PLAT_ASSERT_MSG(nRed >= 2 && nGreen >= 2 && nBlue >= 2, "colour cube %dx%dx%d", nRed, nGreen,
                  nBlue);
  PLAT_ASSERT_MSG(int64_t(nRed) * nGreen * nBlue <= INT32_MAX, "colour cube %dx%dx%d", nRed, nGreen,
                  nBlue);
  int n = numColours();
  table_ = std::make_unique<unsigned[]>(size_t(n));
  for (int i = 0; i < n; i++) table_[i] = unsigned(i);
}

ColourCube::~ColourCube() = default;

unsigned ColourCube::getEntry(int index) const {
  PLAT_ASSERT(index >= 0 && index < numColours());
  return table_[index];
}

void ColourCube::setEntry(int index, unsigned pixel) {
  PLAT_ASSERT(index >= 0 && index < numColours());
  bool wasIdentity = table_[index] == unsigned(index);
  bool isIdentity = pixel == unsigned(index);
  nonIdentityCells_ += int(wasIdentity) - int(isIdentity);
  table_[index] = pixel;
}

int ColourCube::cellOf(unsigned pixel) const {
  // Compared unsigned: a pixel of 2^31 or more is no cell, not a negative one.
  if (isOrthogonal()) return pixel < unsigned(numColours()) ? int(pixel) : -1;
  // Cells hold allocated device pixels: the colour is that of the cell that
  // holds the pixel, not of the cell whose number the pixel happens to be.
  unsigned* begin = table_.get();
  unsigned* end = begin + numColours();
  unsigned* found = std::find(begin, end, pixel);
  return found == end ? -1 : int(found - begin);
}

void ColourCube::pixelToRgb888(unsigned pixel, Colour* out) const {
  int cell = cellOf(pixel);
  if (cell < 0) return;
  int bi = cell % nBlue_;
  int gi = cell / nBlue_ % nGreen_;
  int ri = cell / nBlue_ / nGreen_;
  out->r = intensity(ri, nRed_);
  out->g = intensity(gi, nGreen_);
  out->b = intensity(bi, nBlue_);
}

unsigned ColourCube::rgb888ToPixel(const Colour& c) const {
  int ri = level(c.r, nRed_), gi = level(c.g, nGreen_), bi = level(c.b, nBlue_);
  return table_[(ri * nGreen_ + gi) * nBlue_ + bi];
}

}  // namespace fb
