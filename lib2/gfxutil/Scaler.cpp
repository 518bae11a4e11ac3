#include "lib2/gfxutil/Scaler.h"

#include <cstdint>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"

namespace gfxutil {

namespace {

// Kernels that average raw channels multiply them by 2^23 / size in 32 bits,
// which holds only for channel values up to 255.
bool channelsFitInByte(const fb::PixelFormat& pf) {
  return pf.redMax <= 255 && pf.greenMax <= 255 && pf.blueMax <= 255 && pf.alphaMax <= 255;
}

const ScaleFn generalKernels[4][4] = {
    {scale8to8, scale8to16, scale8to24, scale8to32},
    {scale16to8, scale16to16, scale16to24, scale16to32},
    {scale24to8, scale24to16, scale24to24, scale24to32},
    {scale32to8, scale32to16, scale32to24, scale32to32},
};
const ScaleFn sameFormatKernels[4] = {scaleTcNE8to8, scaleTcNE16to16, scaleTcNE24to24,
                                      scaleTcNE32to32};
const ScaleFn sameFormatAlphaKernels[4] = {nullptr, scaleAlphaTcNE16to16, nullptr,
                                           scaleAlphaTcNE32to32};
const ScaleFn from8NativeKernels[4] = {scale8to8, scaleNE8to16, scale8to24, scaleNE8to32};

// Floor and ceiling of v * s / d for v >= 0, widened so that large sizes do
// not wrap.
int scaleDown(int v, int s, int d) { return int(int64_t(v) * s / d); }
int scaleUp(int v, int s, int d) { return int((int64_t(v) * s + d - 1) / d); }

// Grid positions are ints: a source pixel is dstSz units wide, the whole
// image srcSz * dstSz. And the reciprocal 2^23 / srcSz must not reach 0,
// which would turn every pixel black.
bool gridFits(const ScalerCoords& c) {
  constexpr int maxSource = 1 << 23;
  return c.srcSz.x <= maxSource && c.srcSz.y <= maxSource &&
         int64_t(c.srcSz.x) * c.dstSz.x <= INT32_MAX && int64_t(c.srcSz.y) * c.dstSz.y <= INT32_MAX;
}

}  // namespace

ScaleFn chooseScaleFn(const fb::PixelFormat& src, const fb::PixelFormat& dst) {
  int srcIdx = src.bpp / 8 - 1;
  int dstIdx = dst.bpp / 8 - 1;
  PLAT_ASSERT(srcIdx >= 0 && srcIdx <= 3 && dstIdx >= 0 && dstIdx <= 3);
  PLAT_ASSERT(src.bpp % 8 == 0 && dst.bpp % 8 == 0);
  // Wider channels go to the general kernels, which work in 8 bits.
  if (src.equal(dst) && src.trueColour && src.isNativeEndian() && channelsFitInByte(src)) {
    if (src.equal(fb::PixelFormat::rgb222())) return scaleRGB222NE8to8;
    if (src.equal(fb::PixelFormat::rgb565())) return scaleRGB565NE16to16;
    if (src.equal(fb::PixelFormat::rgb888())) return scaleRGB888NE32to32;
    return src.alphaMax ? sameFormatAlphaKernels[dstIdx] : sameFormatKernels[dstIdx];
  }
  if (src.alphaMax != 0 || dst.alphaMax != 0) return nullptr;
  if (srcIdx == 0 && dst.isNativeEndian()) return from8NativeKernels[dstIdx];
  return generalKernels[srcIdx][dstIdx];
}

plat::Rect scaledToSourceRect(const plat::Rect& r, const ScalerCoords& c) {
  return plat::Rect(scaleDown(r.tl.x, c.srcSz.x, c.dstSz.x),
                    scaleDown(r.tl.y, c.srcSz.y, c.dstSz.y), scaleUp(r.br.x, c.srcSz.x, c.dstSz.x),
                    scaleUp(r.br.y, c.srcSz.y, c.dstSz.y));
}

Scaler::Scaler() = default;
Scaler::~Scaler() = default;

void Scaler::setSourcePb(fb::PixelBuffer* pb, bool takeFormat) {
  coords_.srcSz = plat::Point(pb->getWidth(), pb->getHeight());
  source_ = pb;
  if (takeFormat) {
    pf_ = pb->getPf();
    colourMap_ = pb->getColourMap();
  }
  refresh();
}

void Scaler::setDstSz(const plat::Point& size) {
  coords_.dstSz = size;
  refresh();
}

void Scaler::setPf(const fb::PixelFormat& pf) {
  pf_ = pf;
  refresh();
}

void Scaler::setColourMap(const fb::ColourMap* cm) {
  colourMap_ = cm;
  refresh();
}

void Scaler::refresh() {
  if (!source_) return;
  // A size getImage will refuse gets no row: it could be gigabytes.
  if (coords_.dstSz.x > 0 && size_t(coords_.dstSz.x) > accLength_ && gridFits(coords_)) {
    accLength_ = size_t(coords_.dstSz.x);
    acc_ = std::make_unique<fb::ColourWithAlpha[]>(accLength_);
  }
  scaleFn_ = chooseScaleFn(source_->getPf(), pf_);
}

bool Scaler::canScale(const fb::PixelFormat& src, const fb::PixelFormat& dst) {
  return chooseScaleFn(src, dst) != nullptr;
}

void Scaler::getImage(void* data, const plat::Rect& r, int stride) {
  if (r.isEmpty()) return;
  if (!scaleFn_) throw plat::AssertionFail("scaleFn", __FILE__, __LINE__);
  PLAT_ASSERT(coords_.srcSz.x > 0 && coords_.srcSz.y > 0 && coords_.dstSz.x > 0 &&
              coords_.dstSz.y > 0);
  if (!gridFits(coords_))
    throw plat::Exception(1, "Cannot scale %dx%d pixels to %dx%d: too large", coords_.srcSz.x,
                          coords_.srcSz.y, coords_.dstSz.x, coords_.dstSz.y);
  PLAT_ASSERT(size_t(r.width()) <= accLength_);
  plat::Rect srcRect = scaledToSourceRect(r, coords_);
  int srcStride = 0;
  const unsigned char* src = source_->getPixelsR(srcRect + source_->getOffset(), &srcStride);
  plat::Point srcPos(srcRect.tl.x * coords_.dstSz.x, srcRect.tl.y * coords_.dstSz.y);
  plat::Point dstPos(r.tl.x * coords_.srcSz.x, r.tl.y * coords_.srcSz.y);
  scaleFn_(plat::Point(r.width(), r.height()), static_cast<unsigned char*>(data),
           stride ? stride : r.width(), pf_, colourMap_, src, srcStride, source_->getPf(),
           source_->getColourMap(), srcPos, dstPos, coords_, acc_.get());
}

}  // namespace gfxutil
