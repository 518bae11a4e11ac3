#include "lib2/fb/DrawMask.h"

#include <cstddef>

#include "lib1/plat/Assert.h"
#include "lib2/fb/PixelAccess.h"

namespace fb {

namespace {

bool bitSet(const unsigned char* row, int bit) { return (row[bit >> 3] >> (7 - (bit & 7))) & 1; }

// Walks the clipped part of r, calling put(pixel pointer, column within r,
// row within r) for every set mask bit.
template <int N, typename Put>
void walkMask(unsigned char* dst, int dstStride, const plat::Rect& clipped, const plat::Rect& r,
              const unsigned char* mask, int maskStride, int maskX, Put put) {
  // A bit before a row's first byte would be read from the row before it, or
  // from before the mask.
  PLAT_ASSERT(maskX >= 0);
  if (maskStride == 0) maskStride = (r.width() + 7) / 8;
  int ox = clipped.tl.x - r.tl.x, oy = clipped.tl.y - r.tl.y;
  const unsigned char* maskRow = mask + ptrdiff_t(oy) * maskStride;
  for (int j = 0; j < clipped.height(); j++, maskRow += maskStride) {
    unsigned char* p = dst + ptrdiff_t(j) * dstStride * (N / 8);
    int bit = maskX + ox;
    for (int i = 0; i < clipped.width(); i++, bit++, p += N / 8) {
      // Whole clear bytes are common in glyphs: skip them at once.
      if ((bit & 7) == 0 && maskRow[bit >> 3] == 0 && i + 8 <= clipped.width()) {
        i += 7, bit += 7, p += 7 * (N / 8);
        continue;
      }
      if (bitSet(maskRow, bit)) put(p, ox + i, oy + j);
    }
  }
}

}  // namespace

void maskFill(WritablePixelBuffer* pb, const plat::Rect& r, unsigned pixel,
              const unsigned char* mask, int maskStride, int maskX) {
  plat::Rect clipped = clipRect(r, pb->getRect());
  if (clipped.isEmpty()) return;
  int stride = 0;
  unsigned char* dst = pb->getPixelsRW(clipped, &stride);
  if (!dst) return;
  withBpp(pb->getPf().bpp, [&](auto n) {
    constexpr int N = decltype(n)::value;
    walkMask<N>(dst, stride, clipped, r, mask, maskStride, maskX,
                [pixel](unsigned char* p, int, int) { writePixel<N>(&p, pixel); });
  });
}

void maskRect(WritablePixelBuffer* pb, const plat::Rect& r, const void* pixels,
              const unsigned char* mask, int pixelStride, int maskStride, int maskX) {
  plat::Rect clipped = clipRect(r, pb->getRect());
  if (clipped.isEmpty()) return;
  int stride = 0;
  unsigned char* dst = pb->getPixelsRW(clipped, &stride);
  if (!dst) return;
  if (pixelStride == 0) pixelStride = r.width();
  const auto* src = static_cast<const unsigned char*>(pixels);
  withBpp(pb->getPf().bpp, [&](auto n) {
    constexpr int N = decltype(n)::value;
    walkMask<N>(dst, stride, clipped, r, mask, maskStride, maskX,
                [src, pixelStride](unsigned char* p, int x, int y) {
                  const unsigned char* q = src + (ptrdiff_t(y) * pixelStride + x) * (N / 8);
                  writePixel<N>(&p, readPixel<N>(&q));
                });
  });
}

}  // namespace fb
