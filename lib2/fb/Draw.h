// Shape drawing on writable pixel buffers: fills, outlines, single pixels,
// lines, rounded outlines, vertical gradients and XOR fills.
//
// Pixel values are raw values already in the buffer's format (callers convert
// colours first); 8 bits per pixel takes the low byte, 16 the low 16 bits, 24
// the low three bytes. Every function clips its target to the buffer's
// getRect() once and then walks rows with raw pointers; a buffer whose bpp is
// not 8, 16, 24 or 32, or that has no pixels, is left alone. Rectangles are
// half-open, in the buffer's own coordinates.
#pragma once

#include "lib2/fb/Colour.h"
#include "lib2/fb/WritablePixelBuffer.h"

namespace fb {

void fillRect(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel);
// An outline of the given width lying inside r.
void outlineRect(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel, int width);
void drawPixel(WritablePixelBuffer* pb, const plat::Point& p, unsigned pixel);
// A Bresenham line from a toward b that leaves out b itself, so that lines
// joined end to start draw each pixel once.
void drawLine(WritablePixelBuffer* pb, const plat::Point& a, const plat::Point& b, unsigned pixel);
// A one-pixel outline of r with corners rounded to radius (reduced to half
// the smaller side); an empty r draws nothing.
void outlineRoundedRect(WritablePixelBuffer* pb, const plat::Rect& r, int radius, unsigned pixel);
// Each row one colour, from top on r's first row to bottom on its last, even
// when r is clipped; alpha bits are left clear.
void verticalGradRect(WritablePixelBuffer* pb, const plat::Rect& r, const Colour& top,
                      const Colour& bottom);
void xorRect(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel);

}  // namespace fb
