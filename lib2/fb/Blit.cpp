#include "lib2/fb/Blit.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "lib2/fb/ImageRect.h"
#include "lib2/fb/PixelAccess.h"
#include "lib2/fb/RowKernels.h"

namespace fb {

namespace {

template <int DstBits, int SrcBits>
void blitTempl(const PixelFormat& srcPF, const ColourMap* srcCM, const unsigned char* src,
               int srcStride, const PixelFormat& dstPF, const ColourMap* dstCM, unsigned char* dst,
               int dstStride, int w, int h, CompositeFn fn) {
  for (int y = 0; y < h; y++) {
    const unsigned char* s = src + ptrdiff_t(y) * srcStride * (SrcBits / 8);
    unsigned char* d = dst + ptrdiff_t(y) * dstStride * (DstBits / 8);
    for (int x = 0; x < w; x++) {
      ColourWithAlpha sc, dc;
      srcPF.pixelToRgba8(readPixel<SrcBits>(&s), &sc, srcCM);
      const unsigned char* dr = d;
      dstPF.pixelToRgba8(readPixel<DstBits>(&dr), &dc, dstCM);
      fn(&sc, &dc);
      writePixel<DstBits>(&d, dstPF.rgba8ToPixel(dc, dstCM));
    }
  }
}

// Byte-aligned 8-bit channels in host order: each channel is one byte of the
// 32-bit value, found at the same place in both formats.
bool isPlain32(const PixelFormat& pf) {
  return pf.trueColour && pf.bpp == 32 && pf.isNativeEndian() && pf.redMax == 255 &&
         pf.greenMax == 255 && pf.blueMax == 255 && pf.redShift % 8 == 0 &&
         pf.greenShift % 8 == 0 && pf.blueShift % 8 == 0 && pf.alphaShift % 8 == 0 &&
         pf.redShift <= 24 && pf.greenShift <= 24 && pf.blueShift <= 24 && pf.alphaShift <= 24 &&
         pf.redShift != pf.greenShift && pf.greenShift != pf.blueShift &&
         pf.redShift != pf.blueShift;
}

bool overHasOwnLoop(const PixelFormat& srcPF, const PixelFormat& dstPF) {
  if (!isPlain32(srcPF) || !isPlain32(dstPF) || srcPF.alphaMax != 255) return false;
  if (srcPF.alphaShift == srcPF.redShift || srcPF.alphaShift == srcPF.greenShift ||
      srcPF.alphaShift == srcPF.blueShift)
    return false;
  if (srcPF.redShift != dstPF.redShift || srcPF.greenShift != dstPF.greenShift ||
      srcPF.blueShift != dstPF.blueShift)
    return false;
  return dstPF.alphaMax == 0 || (dstPF.alphaMax == 255 && dstPF.alphaShift == srcPF.alphaShift);
}

void overPlain32(const PixelFormat& srcPF, const PixelFormat& dstPF, const unsigned char* src,
                 int srcStride, unsigned char* dst, int dstStride, int w, int h) {
  uint32_t keep = 0xFFu << dstPF.redShift | 0xFFu << dstPF.greenShift | 0xFFu << dstPF.blueShift;
  if (dstPF.alphaMax) keep |= 0xFFu << dstPF.alphaShift;
  for (int y = 0; y < h; y++)
    overRow32(dst + ptrdiff_t(y) * dstStride * 4, src + ptrdiff_t(y) * srcStride * 4, size_t(w),
              srcPF.alphaShift, keep);
}

bool overlaps(const unsigned char* a, size_t aBytes, const unsigned char* b, size_t bBytes) {
  auto lo = reinterpret_cast<uintptr_t>(a), hi = reinterpret_cast<uintptr_t>(b);
  return lo < hi + bBytes && hi < lo + aBytes;
}

size_t spanBytes(int stride, int w, int h, int bytesPerPixel) {
  return (size_t(h - 1) * size_t(stride) + size_t(w)) * size_t(bytesPerPixel);
}

}  // namespace

void blitPixels(const PixelFormat& srcPF, const ColourMap* srcCM, const unsigned char* src,
                int srcStride, const PixelFormat& dstPF, const ColourMap* dstCM, unsigned char* dst,
                int dstStride, int w, int h, CompositeFn fn) {
  if (fn == compositeOver && overHasOwnLoop(srcPF, dstPF)) {
    overPlain32(srcPF, dstPF, src, srcStride, dst, dstStride, w, h);
    return;
  }
  withBpp(dstPF.bpp, [&](auto dn) {
    withBpp(srcPF.bpp, [&](auto sn) {
      blitTempl<decltype(dn)::value, decltype(sn)::value>(srcPF, srcCM, src, srcStride, dstPF,
                                                          dstCM, dst, dstStride, w, h, fn);
    });
  });
}

void blit(PixelBuffer* src, const plat::Point& srcPos, WritablePixelBuffer* dst,
          const plat::Rect& dstRect, CompositeFn fn) {
  plat::Rect area = clipRect(src->getRect() + (dstRect.tl - srcPos), dstRect);
  plat::Point from = srcPos + (area.tl - dstRect.tl);
  plat::Rect clipped = clipRect(area, dst->getRect());
  from += clipped.tl - area.tl;
  if (clipped.isEmpty()) return;
  const PixelFormat& srcPF = src->getPf();
  const PixelFormat& dstPF = dst->getPf();
  if (fn == compositeOver && srcPF.alphaMax == 0) fn = srcCopy;

  int w = clipped.width(), h = clipped.height();
  int srcStride = 0, dstStride = 0;
  const unsigned char* sp = src->getPixelsR(plat::Rect(from, from + plat::Point(w, h)), &srcStride);
  unsigned char* dp = dst->getPixelsRW(clipped, &dstStride);
  if (!sp || !dp) return;
  bool sameFormat = fn == srcCopy && srcPF.equal(dstPF);
  bool inPlace = sp == dp && srcStride == dstStride && srcPF.bpp == dstPF.bpp;
  // Copying pixels onto themselves changes nothing (and memcpy must not see
  // such overlap).
  if (sameFormat && inPlace) return;

  std::vector<unsigned char> copy;
  int srcBytes = srcPF.bpp / 8, dstBytes = dstPF.bpp / 8;
  if (!inPlace && overlaps(sp, spanBytes(srcStride, w, h, srcBytes), dp,
                           spanBytes(dstStride, w, h, dstBytes))) {
    // Read the source as it was, before the first write lands on it.
    copy.resize(size_t(w) * size_t(h) * size_t(srcBytes));
    imageRect(sp, copy.data(), w, h, srcBytes, srcStride, w);
    sp = copy.data();
    srcStride = w;
  }
  if (sameFormat) {
    imageRect(sp, dp, w, h, dstBytes, srcStride, dstStride);
  } else {
    blitPixels(srcPF, src->getColourMap(), sp, srcStride, dstPF, dst->getColourMap(), dp, dstStride,
               w, h, fn);
  }
}

void blitInPlace(WritablePixelBuffer* pb, const plat::Rect& r, CompositeFn fn) {
  blit(pb, r.tl, pb, r, fn);
}

}  // namespace fb
