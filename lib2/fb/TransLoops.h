// The loops that translate a rectangle of pixels through a table built by
// TransTables.h: one function per pair of input and output widths, so that
// no width test runs per pixel. Input 16- and 32-bit pixels are read as host
// words, 24-bit ones least significant byte first; output likewise.
#pragma once

#include "lib2/fb/PixelFormat.h"

namespace fb {

// Translates width x height pixels; strides count pixels.
using TransFn = void (*)(const void* table, const PixelFormat& inPF, const void* in, int inStride,
                         const PixelFormat& outPF, void* out, int outStride, int width, int height);

// Whole-pixel tables, by input bpp / 16 (8 or 16 bits) and output bytes per
// pixel - 1.
extern const TransFn transSimpleFns[2][4];
// Channel tables, by input bytes per pixel - 2 (16, 24, 32 bits) and output
// bytes per pixel - 1.
extern const TransFn transRGBFns[3][4];
// Channel tables giving a cube index, then the cube's table.
extern const TransFn transRGBCMFns[3][4];

}  // namespace fb
