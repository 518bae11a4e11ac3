#include "lib2/fb/ImageRect.h"

#include <cstddef>
#include <cstring>

#include "lib2/fb/PixelAccess.h"
#include "lib2/fb/RowKernels.h"

namespace fb {

void imageRect(WritablePixelBuffer* pb, const plat::Rect& r, const void* pixels, int stride) {
  plat::Rect clipped = clipRect(r, pb->getRect());
  if (clipped.isEmpty()) return;
  int dstStride = 0;
  unsigned char* dst = pb->getPixelsRW(clipped, &dstStride);
  if (!dst) return;
  if (stride == 0) stride = r.width();
  int bytesPerPixel = pb->getPf().bpp / 8;
  const plat::Point skip = clipped.tl - r.tl;
  const auto* src = static_cast<const unsigned char*>(pixels) +
                    (ptrdiff_t(skip.y) * stride + skip.x) * bytesPerPixel;
  imageRect(src, dst, clipped.width(), clipped.height(), bytesPerPixel, stride, dstStride);
}

void imageRect(const void* src, void* dst, int width, int height, int bytesPerPixel, int srcStride,
               int dstStride) {
  if (width <= 0 || height <= 0) return;
  size_t rowBytes = size_t(width) * size_t(bytesPerPixel);
  ptrdiff_t srcStep = ptrdiff_t(srcStride ? srcStride : width) * bytesPerPixel;
  ptrdiff_t dstStep = ptrdiff_t(dstStride ? dstStride : width) * bytesPerPixel;
  const auto* in = static_cast<const unsigned char*>(src);
  auto* out = static_cast<unsigned char*>(dst);
  for (int y = 0; y < height; y++, in += srcStep, out += dstStep) copyRow(out, in, rowBytes);
}

void copyRect(WritablePixelBuffer* pb, const plat::Rect& r, const plat::Point& offset) {
  plat::Rect bounds = pb->getRect();
  plat::Rect target = clipRect(clipRect(r, bounds), bounds + offset);
  if (target.isEmpty()) return;
  plat::Rect source = target - offset;
  int stride = 0;
  // Both areas lie inside the buffer; address them from their common corner so
  // that one pointer serves both.
  plat::Rect both(std::min(source.tl.x, target.tl.x), std::min(source.tl.y, target.tl.y),
                  std::max(source.br.x, target.br.x), std::max(source.br.y, target.br.y));
  unsigned char* base = pb->getPixelsRW(both, &stride);
  if (!base) return;
  ptrdiff_t bytesPerPixel = pb->getPf().bpp / 8;
  auto at = [&](const plat::Point& p) {
    return base + (ptrdiff_t(p.y - both.tl.y) * stride + (p.x - both.tl.x)) * bytesPerPixel;
  };
  size_t rowBytes = size_t(target.width()) * size_t(bytesPerPixel);
  // Rows moving down are taken from the bottom, so that no row is overwritten
  // before it has been moved.
  bool upwards = offset.y > 0;
  for (int i = 0; i < target.height(); i++) {
    int row = upwards ? target.height() - 1 - i : i;
    memmove(at(target.tl + plat::Point(0, row)), at(source.tl + plat::Point(0, row)), rowBytes);
  }
}

void imageFlip(const void* src, void* dst, int width, int height, int bytesPerPixel, int srcStride,
               int dstStride, bool turn) {
  if (width <= 0 || height <= 0) return;
  const auto* in = static_cast<const unsigned char*>(src);
  auto* out = static_cast<unsigned char*>(dst);
  ptrdiff_t bpp = bytesPerPixel;
  ptrdiff_t inStride = srcStride ? srcStride : (turn ? height : width);
  ptrdiff_t outStride = dstStride ? dstStride : width;
  for (int k = 0; k < height; k++) {
    unsigned char* o = out + k * outStride * bpp;
    for (int i = 0; i < width; i++, o += bpp) {
      // Mirrored: pixel i of row k comes from the far end of the same row.
      // Turned: it comes from column k, counted up from the bottom.
      ptrdiff_t at = turn ? (width - 1 - i) * inStride + k : k * inStride + (width - 1 - i);
      memcpy(o, in + at * bpp, size_t(bpp));
    }
  }
}

}  // namespace fb
