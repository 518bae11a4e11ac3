// Blitting one pixel buffer into another through a compositing function
// (Composite.h), between any two pixel formats.
//
// A plain copy between equal formats moves whole rows; compositing a source
// without alpha over the destination is such a copy too. Every other
// combination converts each pixel to RGBA and back, except premultiplied
// 32-bit ARGB composited over a 32-bit format with the same byte layout,
// which has a loop of its own giving the same results.
//
// Source and destination may share memory (one buffer, or views of one
// parent): an exact in-place call combines each pixel with itself, and any
// other overlap reads the source as it was before the call.
#pragma once

#include "lib2/fb/Composite.h"
#include "lib2/fb/WritablePixelBuffer.h"

namespace fb {

// Source pixel srcPos lands on dstRect.tl; the area is clipped to dstRect, to
// the source and to the destination.
void blit(PixelBuffer* src, const plat::Point& srcPos, WritablePixelBuffer* dst,
          const plat::Rect& dstRect, CompositeFn fn);
// Each pixel of r combined with itself, e.g. premultiplying an image in place.
void blitInPlace(WritablePixelBuffer* pb, const plat::Rect& r, CompositeFn fn);

// The per-pixel path on raw rows: w x h pixels, strides in pixels. Exposed so
// that the specialised loops can be checked against it.
void blitPixels(const PixelFormat& srcPF, const ColourMap* srcCM, const unsigned char* src,
                int srcStride, const PixelFormat& dstPF, const ColourMap* dstCM, unsigned char* dst,
                int dstStride, int w, int h, CompositeFn fn);

}  // namespace fb
