#include "lib2/fb/PixelBuffer.h"

#include <algorithm>
#include <cstring>

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
  size_t bytesPerPixel = format_.bpp / 8;
  size_t rowBytes = size_t(r.width()) * bytesPerPixel;
  size_t srcStep = size_t(srcStride ? srcStride : r.width()) * bytesPerPixel;
  size_t dstStep = size_t(dstStride ? dstStride : r.width()) * bytesPerPixel;
  auto* out = static_cast<unsigned char*>(dst);
  for (int y = 0; y < r.height(); y++, src += srcStep, out += dstStep) memcpy(out, src, rowBytes);
}

void PixelBuffer::grabRegion(const Region&) {}

}  // namespace fb
