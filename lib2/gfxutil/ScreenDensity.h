// The screen-density settings, and the rule by which logical lengths become
// pixels: a length in eighths of a millimetre times ppmm / 8, rounded half
// away from zero; lengths that belong to text are first scaled by
// TextSizeFactor / 100.
#pragma once

#include "lib1/plat/IntParameter.h"

namespace gfxutil {

extern plat::IntParameter ppmm;            // 1 to 32, default 4
extern plat::IntParameter textSizeFactor;  // 1 to 1000, default 100

// eighths * ppmm / 8, rounded half away from zero.
int lengthToPixels(int eighths);
// As lengthToPixels after scaling by TextSizeFactor / 100.
int textLengthToPixels(int eighths);

}  // namespace gfxutil
