// Per-pixel compositing functions for blit: each reads the source colour and
// the destination colour and leaves the result in the destination. Colours
// are taken as premultiplied by alpha, so a fully transparent pixel is
// (0, 0, 0, 0).
//
// Every result channel lies in 0..255 even when the source is not truly
// premultiplied (a colour channel above alpha): the pixel formats pack
// channels without masking, so an overflowing channel would bleed into its
// neighbour.
#pragma once

#include "lib2/fb/Colour.h"

namespace fb {

using CompositeFn = void (*)(const ColourWithAlpha* src, ColourWithAlpha* dst);

// dst = src, all four channels.
void srcCopy(const ColourWithAlpha* src, ColourWithAlpha* dst);
// Source over destination: dst.c = ((255 - src.a) x dst.c + 127) / 255 + src.c,
// alpha likewise.
void compositeOver(const ColourWithAlpha* src, ColourWithAlpha* dst);
// The source's luma in all three colour channels; alpha from the source.
void greyscale(const ColourWithAlpha* src, ColourWithAlpha* dst);
// Premultiplies the source: dst.c = (src.a x src.c + 127) / 255.
void multiplyByAlpha(const ColourWithAlpha* src, ColourWithAlpha* dst);
// Undoes multiplyByAlpha (a transparent source gives black).
void divideByAlpha(const ColourWithAlpha* src, ColourWithAlpha* dst);

}  // namespace fb
