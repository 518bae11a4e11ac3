#include "lib2/fb/PixelBuffer.h"

#include <algorithm>

#include "lib2/fb/ImageRect.h"

namespace fb {

ImageGetter::~ImageGetter() = default;

PixelBuffer::PixelBuffer() = default;

PixelBuffer::PixelBuffer(const PixelFormat& pf, int width, int height, const ColourMap* cm)
    : format_(pf), width_(std::max(width, 0)), height_(std::max(height, 0)), colourMap_(cm) {}

// An inverted rectangle gives an empty buffer, not a negative size.
PixelBuffer::PixelBuffer(const PixelFormat& pf, const plat::Rect& r, const ColourMap* cm)
    : PixelBuffer(pf, r.width(), r.height(), cm) {
  offset_ = r.tl;
}

PixelBuffer::~PixelBuffer() = default;

void PixelBuffer::getImage(void* dst, const plat::Rect& r, int dstStride) {
  int srcStride = 0;
  const unsigned char* src = getPixelsR(r, &srcStride);
  if (!src) return;
  imageRect(src, dst, r.width(), r.height(), format_.bpp / 8, srcStride, dstStride);
}

void PixelBuffer::grabRegion(const Region&) {}

}  // namespace fb
