// Moving raw pixels without looking at them: copying rows into a buffer,
// scrolling part of a buffer within itself, and mirroring or turning an
// image. Strides count pixels, and a stride of 0 means the row length.
#pragma once

#include "lib2/fb/WritablePixelBuffer.h"

namespace fb {

// pixels are in pb's format, laid out for r (stride 0: r's width); the part of
// r inside pb receives the matching part of them.
void imageRect(WritablePixelBuffer* pb, const plat::Rect& r, const void* pixels, int stride);
// height rows of width x bytesPerPixel bytes. The two areas must not overlap.
void imageRect(const void* src, void* dst, int width, int height, int bytesPerPixel, int srcStride,
               int dstStride);
// Moves the pixels of r - offset to r inside pb, for the part of r where both
// lie inside the buffer; overlapping areas move exactly.
void copyRect(WritablePixelBuffer* pb, const plat::Rect& r, const plat::Point& offset);
// Writes height rows of width pixels to dst. Without turn, row k is source
// row k mirrored. With turn, row k is source column k read from the bottom
// up, which turns the image a quarter clockwise; the source is then height
// pixels wide (its stride 0 means height).
void imageFlip(const void* src, void* dst, int width, int height, int bytesPerPixel, int srcStride,
               int dstStride, bool turn);

}  // namespace fb
