// Drawing through a 1-bit mask, as glyphs are drawn: one bit per pixel of the
// target rectangle, most significant bit first in each byte, rows maskStride
// bytes apart (0: just enough bytes for the rectangle's width). maskX, never
// negative, is the bit number of each row's first pixel. A set bit draws the pixel; a clear
// bit leaves it.
//
// The rectangle is clipped to the buffer; the mask (and the source pixels of
// maskRect) stay laid out for the whole rectangle, so the clipped part reads
// them from the matching offset.
#pragma once

#include "lib2/fb/WritablePixelBuffer.h"

namespace fb {

// A set bit writes pixel, a raw value in the buffer's format.
void maskFill(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel,
              const unsigned char* mask, int maskStride, int maskX);
// A set bit copies the matching pixel of pixels (in the buffer's format,
// pixelStride pixels a row, 0: r's width).
void maskRect(WritablePixelBuffer* pb, const plat::Rect& r, const void* pixels,
              const unsigned char* mask, int pixelStride, int maskStride, int maskX);

}  // namespace fb
