// Lookup tables that translate pixels of one format into another, and the
// builders that fill them. Entries are as wide as one output pixel (1, 2 or 4
// bytes; a 24-bit output uses the low three bytes of 4-byte entries).
//
// - Simple: one entry per raw input value (2^bpp of them, so for input of 8
//   or 16 bits only), already in the output's byte order.
// - RGB: three channel tables back to back (red, green, blue, each input
//   maximum + 1 entries); the three entries a pixel picks add up to its
//   output pixel.
// - RGB to colour map: the channel entries add up to an index of an
//   orthogonal map; with a colour cube a fourth table follows, mapping each
//   cube index to a pixel of a map that is not orthogonal.
//
// A reduction format, when given, quantises every colour to its maxima on
// the way. Every builder replaces the table's old contents.
#pragma once

#include "lib1/plat/Array.h"
#include "lib2/fb/ColourCube.h"
#include "lib2/fb/PixelFormat.h"

namespace fb {

using TransTable = plat::Array<unsigned char>;

using InitSimpleFn = void (*)(TransTable* table, const PixelFormat& inPF, const ColourMap* inCM,
                              const PixelFormat& outPF, const ColourMap* outCM,
                              const PixelFormat* reductionPF);
using InitRGBTCtoTCFn = void (*)(TransTable* table, const PixelFormat& inPF,
                                 const PixelFormat& outPF, const PixelFormat* reductionPF);
using InitRGBTCtoCMFn = void (*)(TransTable* table, const PixelFormat& inPF,
                                 const PixelFormat& outPF, const ColourMap* cm,
                                 const ColourCube* cube, const PixelFormat* reductionPF);

// By output bytes per pixel - 1.
extern const InitSimpleFn initSimpleFns[4];
extern const InitRGBTCtoTCFn initRGBTCtoTCFns[4];
extern const InitRGBTCtoCMFn initRGBTCtoCMFns[4];

// One channel table of inMax + 1 entries for output of OutBits bits: entry v
// is v scaled to outMax (through rMax when given) and shifted to outShift,
// byte-swapped when swap is set.
template <int OutBits>
void initOneRGBTable(void* sub, int inMax, int outMax, int outShift, bool swap, const int* rMax);

// The output value for a colour (channels 0..255) in a format, without alpha
// and before byte order; what the builders and the reference conversion
// share.
unsigned colourToPixel(const Colour& c, const PixelFormat& pf, const ColourMap* cm);
// The colour of a value of a format, taken in host order.
Colour pixelToColour(unsigned value, const PixelFormat& pf, const ColourMap* cm);

}  // namespace fb
