// The read side of the pixel-buffer family. An ImageGetter copies a rectangle
// of pixels out; a PixelBuffer is a rectangle of pixels in one PixelFormat
// that hands out read pointers into its rows.
//
// Every buffer has its own coordinates: getRect() runs from the offset (the
// top-left pixel's coordinates) over width x height pixels, and every
// rectangle given to it is in those coordinates. Strides count pixels, not
// bytes. The constructors turn an inverted rectangle into an empty buffer, so
// that no buffer starts with a negative width or height.
#pragma once

#include "lib1/plat/Geometry.h"
#include "lib2/fb/PixelFormat.h"

namespace fb {

class Region;

class ImageGetter {
 public:
  virtual ~ImageGetter();
  // Copies the pixels of r to dst, rows dstStride pixels apart (0: r's width).
  virtual void getImage(void* dst, const plat::Rect& r, int dstStride) = 0;
};

class PixelBuffer : public ImageGetter {
 public:
  PixelBuffer();
  PixelBuffer(const PixelFormat& pf, int width, int height, const ColourMap* cm);
  PixelBuffer(const PixelFormat& pf, const plat::Rect& r, const ColourMap* cm);
  ~PixelBuffer() override;
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;

  // In this buffer's own format, through getPixelsR.
  void getImage(void* dst, const plat::Rect& r, int dstStride) override;
  virtual const ColourMap* getColourMap() const { return colourMap_; }
  // The first pixel of r, which must lie inside getRect(); null for an empty r
  // or a buffer without pixels. The stride goes to *stride when it is given,
  // null result or not.
  virtual const unsigned char* getPixelsR(const plat::Rect& r, int* stride) = 0;
  // Buffers that compute their pixels from another buffer bring the pixels of
  // region up to date; a buffer that holds its pixels has nothing to do.
  virtual void grabRegion(const Region& region);
  virtual const void* getShm() const { return nullptr; }

  const PixelFormat& getPf() const { return format_; }
  int getWidth() const { return width_; }
  int getHeight() const { return height_; }
  plat::Point getOffset() const { return offset_; }
  plat::Rect getRect() const { return plat::Rect(offset_, offset_ + plat::Point(width_, height_)); }

 protected:
  PixelFormat format_;
  int width_ = 0;
  int height_ = 0;
  plat::Point offset_;
  const ColourMap* colourMap_ = nullptr;  // not owned
};

}  // namespace fb
