#include "lib2/gfxutil/ScreenDensity.h"

#include <cstdint>

namespace gfxutil {

plat::IntParameter ppmm("ppmm", "Physical units per mm", 4, true, nullptr, 1, 32);
plat::IntParameter textSizeFactor("TextSizeFactor",
                                  "Factor for text size on this system, normal being 100", 100,
                                  true, nullptr, 1, 1000);

namespace {

// Products are widened: a length near INT_MAX times 32 must not wrap.
int roundedDiv(int64_t n, int64_t d) { return int((n >= 0 ? n + d / 2 : n - d / 2) / d); }

}  // namespace

int lengthToPixels(int eighths) { return roundedDiv(int64_t(eighths) * ppmm.getValue(), 8); }

int textLengthToPixels(int eighths) {
  return lengthToPixels(int(int64_t(eighths) * textSizeFactor.getValue() / 100));
}

}  // namespace gfxutil
