#include "lib2/fb/FullFramePixelBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "lib1/plat/Assert.h"

namespace fb {

namespace {

bool encloses(const plat::Rect& outer, const plat::Rect& inner) {
  return inner.tl.x >= outer.tl.x && inner.tl.y >= outer.tl.y && inner.br.x <= outer.br.x &&
         inner.br.y <= outer.br.y;
}

// The part of r inside bounds; empty, never inverted, when they do not meet.
plat::Rect clip(const plat::Rect& r, const plat::Rect& bounds) {
  plat::Point br(std::min(r.br.x, bounds.br.x), std::min(r.br.y, bounds.br.y));
  plat::Point tl(std::min(std::max(r.tl.x, bounds.tl.x), br.x),
                 std::min(std::max(r.tl.y, bounds.tl.y), br.y));
  return plat::Rect(tl, br);
}

}  // namespace

FullFramePixelBuffer::FullFramePixelBuffer() = default;

FullFramePixelBuffer::FullFramePixelBuffer(const PixelFormat& pf, const plat::Rect& r,
                                           const ColourMap* cm, unsigned char* data, int stride)
    : WritablePixelBuffer(pf, r, cm), data_(data), stride_(stride ? stride : width_) {}

FullFramePixelBuffer::FullFramePixelBuffer(WritablePixelBuffer* parent, const plat::Rect& r)
    : FullFramePixelBuffer(parent, r, clip(r, parent->getRect())) {}

FullFramePixelBuffer::FullFramePixelBuffer(WritablePixelBuffer* parent, const plat::Rect& r,
                                           const plat::Rect& clipped)
    : WritablePixelBuffer(parent->getPf(), clipped, parent->getColourMap()) {
  offset_ -= r.tl;
  data_ = parent->getPixelsRW(clipped, &stride_);
}

unsigned char* FullFramePixelBuffer::getPixelsRW(const plat::Rect& r, int* stride) {
  if (stride) *stride = stride_;
  if (r.isEmpty()) return nullptr;
  plat::Rect bounds = getRect();
  if (!encloses(bounds, r)) {
    plat::assertFatal_(plat::AssertionFail("getRect().encloses(r)", __FILE__, __LINE__)
                           .fmt("getPixelsRW out of bounds: %d,%d to %d,%d outside %d,%d to %d,%d",
                                r.tl.x, r.tl.y, r.br.x, r.br.y, bounds.tl.x, bounds.tl.y,
                                bounds.br.x, bounds.br.y));
  }
  // A buffer whose memory a subclass has not set up yet has no pixels to give.
  if (!data_) return nullptr;
  return pixelAddress(r.tl);
}

unsigned FullFramePixelBuffer::getPixelAt(const plat::Point& p) const {
  const unsigned char* q = pixelAddress(p);
  switch (format_.bpp) {
    case 8:
      return readPixel<8>(&q);
    case 16:
      return readPixel<16>(&q);
    case 24:
      return readPixel<24>(&q);
    case 32:
      return readPixel<32>(&q);
    default:
      return 0;
  }
}

void FullFramePixelBuffer::setPixelAt(const plat::Point& p, unsigned pixel) {
  unsigned char* q = pixelAddress(p);
  switch (format_.bpp) {
    case 8:
      q[0] = uint8_t(pixel);
      break;
    case 16: {
      uint16_t v = uint16_t(pixel);
      memcpy(q, &v, 2);
      break;
    }
    case 24:
      q[0] = uint8_t(pixel);
      q[1] = uint8_t(pixel >> 8);
      q[2] = uint8_t(pixel >> 16);
      break;
    case 32:
      memcpy(q, &pixel, 4);
      break;
    default:
      break;
  }
}

}  // namespace fb
