// Area-averaging scale kernels: each resamples a block of a source image onto
// a block of a destination image of another size. A destination pixel is the
// mean of the source area it covers, every source pixel weighted by the exact
// area of its overlap, in integer arithmetic with 2^23 fixed-point
// reciprocals.
//
// Positions are measured on a grid in which a source pixel is dstSz units
// wide (per axis) and a destination pixel srcSz units, so every overlap is a
// whole number. All kernels share one signature (ScaleFn); the caller (the
// Scaler) picks one per pair of formats and guarantees: all four sizes at
// least 1 and srcSz * dstSz below 2^31 per axis; the source area covering
// every pixel the block overlaps; the accumulator row at least size.x long and
// all zero (it is left all zero); formats matching the kernel's family;
// channel maxima of at most 255 for the kernels that average raw channels.
#pragma once

#include "lib1/plat/Geometry.h"
#include "lib2/fb/Colour.h"
#include "lib2/fb/PixelFormat.h"

namespace gfxutil {

// The sizes in pixels of a whole source image and of its scaled image.
struct ScalerCoords {
  plat::Point srcSz;
  plat::Point dstSz;
};

// size: the destination block; dst: its top-left pixel; src: the source pixel
// holding the block's top-left corner; srcPos, dstPos: the grid positions of
// that source pixel and of the block's top-left corner; acc: the accumulator
// row. Strides count pixels.
using ScaleFn = void (*)(const plat::Point& size, unsigned char* dst, int dstStride,
                         const fb::PixelFormat& dstPf, const fb::ColourMap* dstCm,
                         const unsigned char* src, int srcStride, const fb::PixelFormat& srcPf,
                         const fb::ColourMap* srcCm, const plat::Point& srcPos,
                         const plat::Point& dstPos, const ScalerCoords& coords,
                         fb::ColourWithAlpha* acc);

#define GFXUTIL_SCALE_KERNEL(name)                                                              \
  void name(const plat::Point& size, unsigned char* dst, int dstStride,                         \
            const fb::PixelFormat& dstPf, const fb::ColourMap* dstCm, const unsigned char* src, \
            int srcStride, const fb::PixelFormat& srcPf, const fb::ColourMap* srcCm,            \
            const plat::Point& srcPos, const plat::Point& dstPos, const ScalerCoords& coords,   \
            fb::ColourWithAlpha* acc)

// General: any formats of the given widths, true colour or colour-mapped,
// either byte order, averaged as 8-bit red, green and blue; alpha is dropped.
GFXUTIL_SCALE_KERNEL(scale8to8);
GFXUTIL_SCALE_KERNEL(scale8to16);
GFXUTIL_SCALE_KERNEL(scale8to24);
GFXUTIL_SCALE_KERNEL(scale8to32);
GFXUTIL_SCALE_KERNEL(scale16to8);
GFXUTIL_SCALE_KERNEL(scale16to16);
GFXUTIL_SCALE_KERNEL(scale16to24);
GFXUTIL_SCALE_KERNEL(scale16to32);
GFXUTIL_SCALE_KERNEL(scale24to8);
GFXUTIL_SCALE_KERNEL(scale24to16);
GFXUTIL_SCALE_KERNEL(scale24to24);
GFXUTIL_SCALE_KERNEL(scale24to32);
GFXUTIL_SCALE_KERNEL(scale32to8);
GFXUTIL_SCALE_KERNEL(scale32to16);
GFXUTIL_SCALE_KERNEL(scale32to24);
GFXUTIL_SCALE_KERNEL(scale32to32);
// An 8-bit source into a destination in the machine's byte order.
GFXUTIL_SCALE_KERNEL(scaleNE8to16);
GFXUTIL_SCALE_KERNEL(scaleNE8to32);
// One true-colour format in the machine's byte order on both sides; the raw
// channels are averaged in their own range.
GFXUTIL_SCALE_KERNEL(scaleTcNE8to8);
GFXUTIL_SCALE_KERNEL(scaleTcNE16to16);
GFXUTIL_SCALE_KERNEL(scaleTcNE24to24);
GFXUTIL_SCALE_KERNEL(scaleTcNE32to32);
// As above with alpha averaged as a fourth channel (colour not weighted by it).
GFXUTIL_SCALE_KERNEL(scaleAlphaTcNE16to16);
GFXUTIL_SCALE_KERNEL(scaleAlphaTcNE32to32);
// Fixed layouts: rgb222, rgb565 and rgb888 (whose top byte is written as 0).
GFXUTIL_SCALE_KERNEL(scaleRGB222NE8to8);
GFXUTIL_SCALE_KERNEL(scaleRGB565NE16to16);
GFXUTIL_SCALE_KERNEL(scaleRGB888NE32to32);

}  // namespace gfxutil
