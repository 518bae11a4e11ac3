// gfxutil::Scaler presents a source pixel buffer at another size and, if
// wanted, in another pixel format. Asked for any rectangle of the scaled
// image it works out which source pixels cover it, fetches them and hands
// both sides to the area-averaging kernel chosen once for the pair of
// formats (chooseScaleFn).
//
// The accumulator row the kernels need is owned here, grows to the widest
// scaled size seen and is never shrunk; the kernels leave it all zero, so it
// is zeroed only when it is allocated. The source is borrowed and must
// outlive the scaler (or be replaced first).
#pragma once

#include <cstddef>
#include <memory>

#include "lib2/fb/PixelBuffer.h"
#include "lib2/gfxutil/ScaleKernels.h"

namespace gfxutil {

// The kernel for a pair of formats, or null when none exists. Bits per pixel
// other than 8, 16, 24 or 32 on either side are a fatal assertion.
ScaleFn chooseScaleFn(const fb::PixelFormat& src, const fb::PixelFormat& dst);

// The source rectangle that covers the scaled rectangle r, for a source of
// srcSz scaled to dstSz: start rounded down, end rounded up.
plat::Rect scaledToSourceRect(const plat::Rect& r, const ScalerCoords& coords);

class Scaler : public fb::ImageGetter {
 public:
  Scaler();
  ~Scaler() override;
  Scaler(const Scaler&) = delete;
  Scaler& operator=(const Scaler&) = delete;

  // The scaled size starts as it was; srcSz becomes pb's size. With
  // takeFormat the output format and colour map become pb's.
  void setSourcePb(fb::PixelBuffer* pb, bool takeFormat);
  void setDstSz(const plat::Point& size);
  void setPf(const fb::PixelFormat& pf);
  void setColourMap(const fb::ColourMap* cm);
  // Re-chooses the kernel and grows the accumulator row; nothing without a
  // source.
  void refresh();

  // Writes rectangle r of the scaled image to data, stride pixels a row (0:
  // r's width). Without a kernel for the formats it throws
  // plat::AssertionFail ("scaleFn"); sizes whose grid products reach 2^31
  // throw plat::Exception.
  void getImage(void* data, const plat::Rect& r, int stride) override;

  static bool canScale(const fb::PixelFormat& src, const fb::PixelFormat& dst);

  const ScalerCoords& getCoords() const { return coords_; }
  fb::PixelBuffer* getSourcePb() const { return source_; }
  const fb::PixelFormat& getPf() const { return pf_; }
  ScaleFn getScaleFn() const { return scaleFn_; }

 private:
  ScalerCoords coords_;
  std::unique_ptr<fb::ColourWithAlpha[]> acc_;
  size_t accLength_ = 0;
  fb::PixelBuffer* source_ = nullptr;  // not owned
  fb::PixelFormat pf_;
  const fb::ColourMap* colourMap_ = nullptr;  // not owned
  ScaleFn scaleFn_ = nullptr;
};

}  // namespace gfxutil
