// A writable pixel buffer over memory laid out row by row: data_ is the first
// pixel of getRect() and rows are stride_ pixels apart. The memory is not
// owned here; it belongs to a subclass or to whoever made the buffer.
//
// A view is a FullFramePixelBuffer over part of another buffer: it shares the
// parent's memory, copies nothing, and must go before the parent does (or
// before the parent's next resize or change of format). Its coordinates start
// at the rectangle it was made for, until setOffset moves them.
#pragma once

#include <cstddef>

#include "lib2/fb/WritablePixelBuffer.h"

namespace fb {

class FullFramePixelBuffer : public WritablePixelBuffer {
 public:
  FullFramePixelBuffer();
  // A stride of 0 means r's width.
  FullFramePixelBuffer(const PixelFormat& pf, const plat::Rect& r, const ColourMap* cm,
                       unsigned char* data, int stride);
  // A view of the part of r inside parent, with r.tl as its point (0, 0): its
  // point q is the parent's q + r.tl. Empty when r misses the parent.
  FullFramePixelBuffer(WritablePixelBuffer* parent, const plat::Rect& r);

  // A rectangle outside getRect() is a fatal assertion.
  unsigned char* getPixelsRW(const plat::Rect& r, int* stride) override;

  // The raw value of one pixel; p must lie inside getRect() (not checked).
  unsigned getPixelAt(const plat::Point& p) const;
  void setPixelAt(const plat::Point& p, unsigned pixel);

  // Gives the top-left pixel the coordinates origin: the same pixels, seen
  // from whoever draws in those coordinates.
  void setOffset(const plat::Point& origin) { offset_ = origin; }
  int getStride() const { return stride_; }

 protected:
  unsigned char* pixelAddress(const plat::Point& p) const {
    ptrdiff_t index = ptrdiff_t(p.y - offset_.y) * stride_ + (p.x - offset_.x);
    return data_ + index * (format_.bpp / 8);
  }

  unsigned char* data_ = nullptr;  // not owned
  int stride_ = 0;

 private:
  // The view constructor, with r already clipped to the parent.
  FullFramePixelBuffer(WritablePixelBuffer* parent, const plat::Rect& r, const plat::Rect& clipped);
};

}  // namespace fb
