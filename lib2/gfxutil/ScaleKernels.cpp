#include "lib2/gfxutil/ScaleKernels.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "lib2/fb/PixelAccess.h"

namespace gfxutil {

namespace {

// A channel sum s over one destination pixel's extent s units long becomes
// the mean ((s + half) * recip) >> 23. The product is widened so that it
// cannot overflow whatever the caller passes; within the documented limits
// it equals the 32-bit result.
struct FixedPoint {
  explicit FixedPoint(int units) : recip(8388608 / units), half(units / 2) {}
  int operator()(int sum) const { return int((int64_t(sum + half) * recip) >> 23); }
  int recip;
  int half;
};

// What a family does with pixels: N channels a pixel; load() reads one
// source pixel's channels, store() writes one destination pixel.
template <int SrcBpp, int DstBpp>
struct General {
  static constexpr int N = 3;
  static constexpr int srcBytes = SrcBpp / 8;
  static constexpr int dstBytes = DstBpp / 8;
  General(const fb::PixelFormat& sp, const fb::ColourMap* scm, const fb::PixelFormat& dp,
          const fb::ColourMap* dcm)
      : srcPf(sp), srcCm(scm), dstPf(dp), dstCm(dcm) {}
  void load(const unsigned char* p, int* ch) const {
    fb::ColourWithAlpha c;
    srcPf.pixelToRgba8(fb::readPixel<SrcBpp>(&p), &c, srcCm);
    ch[0] = c.r;
    ch[1] = c.g;
    ch[2] = c.b;
  }
  void store(unsigned char* p, const int* ch) const {
    fb::writePixel<DstBpp>(&p,
                           dstPf.rgba8ToPixel(fb::ColourWithAlpha{ch[0], ch[1], ch[2], 0}, dstCm));
  }
  const fb::PixelFormat& srcPf;
  const fb::ColourMap* srcCm;
  const fb::PixelFormat& dstPf;
  const fb::ColourMap* dstCm;
};

// Raw channels at shifts and maxima read from the format.
template <int Bpp, int Channels>
struct TrueColour {
  static constexpr int N = Channels;
  static constexpr int srcBytes = Bpp / 8;
  static constexpr int dstBytes = Bpp / 8;
  TrueColour(const fb::PixelFormat& sp, const fb::ColourMap*, const fb::PixelFormat& dp,
             const fb::ColourMap*)
      : inShift{sp.redShift, sp.greenShift, sp.blueShift, sp.alphaShift},
        inMax{sp.redMax, sp.greenMax, sp.blueMax, sp.alphaMax},
        outShift{dp.redShift, dp.greenShift, dp.blueShift, dp.alphaShift} {}
  void load(const unsigned char* p, int* ch) const {
    unsigned v = fb::readPixel<Bpp>(&p);
    for (int i = 0; i < N; i++) ch[i] = int((v >> (inShift[i] & 31)) & inMax[i]);
  }
  void store(unsigned char* p, const int* ch) const {
    unsigned v = 0;
    for (int i = 0; i < N; i++) v |= unsigned(ch[i]) << (outShift[i] & 31);
    fb::writePixel<Bpp>(&p, v);
  }
  unsigned inShift[4];
  unsigned inMax[4];
  unsigned outShift[4];
};

// Raw channels at shifts and maxima fixed at compile time.
template <int Bpp, unsigned RS, unsigned RM, unsigned GS, unsigned GM, unsigned BS, unsigned BM>
struct FixedLayout {
  static constexpr int N = 3;
  static constexpr int srcBytes = Bpp / 8;
  static constexpr int dstBytes = Bpp / 8;
  FixedLayout(const fb::PixelFormat&, const fb::ColourMap*, const fb::PixelFormat&,
              const fb::ColourMap*) {}
  void load(const unsigned char* p, int* ch) const {
    unsigned v = fb::readPixel<Bpp>(&p);
    ch[0] = int((v >> RS) & RM);
    ch[1] = int((v >> GS) & GM);
    ch[2] = int((v >> BS) & BM);
  }
  void store(unsigned char* p, const int* ch) const {
    fb::writePixel<Bpp>(&p, unsigned(ch[0]) << RS | unsigned(ch[1]) << GS | unsigned(ch[2]) << BS);
  }
};

template <int N>
inline void addTo(fb::ColourWithAlpha* a, const int* ch, int weight) {
  a->r += ch[0] * weight;
  a->g += ch[1] * weight;
  a->b += ch[2] * weight;
  if constexpr (N == 4) a->a += ch[3] * weight;
}

// One source row's contribution, weighted vertically by vWeight, to every
// column of the block. A pixel ending exactly on a column boundary stays
// current and is met again by the next column with weight 0; such a
// weight-0 meeting reads nothing, so no pixel beyond the block's area is
// ever read.
template <class Px>
void horizontalPass(const Px& px, int width, const unsigned char* row, int srcX, int dstX,
                    const ScalerCoords& coords, const FixedPoint& fx, int vWeight,
                    fb::ColourWithAlpha* acc) {
  const int step = coords.dstSz.x;
  int pixLeft = srcX;
  int ch[4];
  for (int c = 0; c < width; c++) {
    int left = dstX + c * coords.srcSz.x;
    int right = left + coords.srcSz.x;
    int sum[Px::N] = {};
    for (;;) {
      int pixRight = pixLeft + step;
      int w = std::min(right, pixRight) - std::max(left, pixLeft);
      if (w > 0) {
        px.load(row, ch);
        for (int i = 0; i < Px::N; i++) sum[i] += ch[i] * w;
      }
      if (pixRight >= right) break;
      row += Px::srcBytes;
      pixLeft = pixRight;
    }
    for (int i = 0; i < Px::N; i++) sum[i] = fx(sum[i]);
    addTo<Px::N>(&acc[c], sum, vWeight);
  }
}

template <class Px>
void areaAverage(const Px& px, const plat::Point& size, unsigned char* dst, int dstStride,
                 const unsigned char* src, int srcStride, const plat::Point& srcPos,
                 const plat::Point& dstPos, const ScalerCoords& coords, fb::ColourWithAlpha* acc) {
  const FixedPoint fx(coords.srcSz.x);
  const FixedPoint fy(coords.srcSz.y);
  int srcTop = srcPos.y;
  int rowTop = dstPos.y;
  for (int j = 0; j < size.y; j++) {
    int rowBottom = rowTop + coords.srcSz.y;
    for (;;) {
      int srcBottom = srcTop + coords.dstSz.y;
      int vWeight = std::min(rowBottom, srcBottom) - std::max(rowTop, srcTop);
      if (vWeight > 0)
        horizontalPass(px, size.x, src, srcPos.x, dstPos.x, coords, fx, vWeight, acc);
      if (srcBottom >= rowBottom) break;
      src += ptrdiff_t(srcStride) * Px::srcBytes;
      srcTop = srcBottom;
    }
    unsigned char* out = dst;
    for (int c = 0; c < size.x; c++) {
      int ch[4] = {fy(acc[c].r), fy(acc[c].g), fy(acc[c].b), fy(acc[c].a)};
      px.store(out, ch);
      out += Px::dstBytes;
      acc[c] = fb::ColourWithAlpha();
    }
    dst += ptrdiff_t(dstStride) * Px::dstBytes;
    rowTop = rowBottom;
  }
}

template <class Px>
void run(const plat::Point& size, unsigned char* dst, int dstStride, const fb::PixelFormat& dstPf,
         const fb::ColourMap* dstCm, const unsigned char* src, int srcStride,
         const fb::PixelFormat& srcPf, const fb::ColourMap* srcCm, const plat::Point& srcPos,
         const plat::Point& dstPos, const ScalerCoords& coords, fb::ColourWithAlpha* acc) {
  areaAverage(Px(srcPf, srcCm, dstPf, dstCm), size, dst, dstStride, src, srcStride, srcPos, dstPos,
              coords, acc);
}

}  // namespace

#define DEFINE_KERNEL(name, ...)                                                               \
  GFXUTIL_SCALE_KERNEL(name) {                                                                 \
    run<__VA_ARGS__>(size, dst, dstStride, dstPf, dstCm, src, srcStride, srcPf, srcCm, srcPos, \
                     dstPos, coords, acc);                                                     \
  }

DEFINE_KERNEL(scale8to8, General<8, 8>)
DEFINE_KERNEL(scale8to16, General<8, 16>)
DEFINE_KERNEL(scale8to24, General<8, 24>)
DEFINE_KERNEL(scale8to32, General<8, 32>)
DEFINE_KERNEL(scale16to8, General<16, 8>)
DEFINE_KERNEL(scale16to16, General<16, 16>)
DEFINE_KERNEL(scale16to24, General<16, 24>)
DEFINE_KERNEL(scale16to32, General<16, 32>)
DEFINE_KERNEL(scale24to8, General<24, 8>)
DEFINE_KERNEL(scale24to16, General<24, 16>)
DEFINE_KERNEL(scale24to24, General<24, 24>)
DEFINE_KERNEL(scale24to32, General<24, 32>)
DEFINE_KERNEL(scale32to8, General<32, 8>)
DEFINE_KERNEL(scale32to16, General<32, 16>)
DEFINE_KERNEL(scale32to24, General<32, 24>)
DEFINE_KERNEL(scale32to32, General<32, 32>)
// The destination is in the machine's byte order, so the general path's
// byte-order step is a no-op there; the results are the general kernel's.
DEFINE_KERNEL(scaleNE8to16, General<8, 16>)
DEFINE_KERNEL(scaleNE8to32, General<8, 32>)
DEFINE_KERNEL(scaleTcNE8to8, TrueColour<8, 3>)
DEFINE_KERNEL(scaleTcNE16to16, TrueColour<16, 3>)
DEFINE_KERNEL(scaleTcNE24to24, TrueColour<24, 3>)
DEFINE_KERNEL(scaleTcNE32to32, TrueColour<32, 3>)
DEFINE_KERNEL(scaleAlphaTcNE16to16, TrueColour<16, 4>)
DEFINE_KERNEL(scaleAlphaTcNE32to32, TrueColour<32, 4>)
DEFINE_KERNEL(scaleRGB222NE8to8, FixedLayout<8, 4, 3, 2, 3, 0, 3>)
DEFINE_KERNEL(scaleRGB565NE16to16, FixedLayout<16, 11, 31, 5, 63, 0, 31>)
DEFINE_KERNEL(scaleRGB888NE32to32, FixedLayout<32, 16, 255, 8, 255, 0, 255>)

}  // namespace gfxutil
