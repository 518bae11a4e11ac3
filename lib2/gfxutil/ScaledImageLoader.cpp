#include "lib2/gfxutil/ScaledImageLoader.h"

#include "lib1/plat/Assert.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/Scaler.h"

namespace gfxutil {

ScaledImageLoader::ScaledImageLoader(fb::ImageLoader* source, plat::Point size)
    : source_(source), size_(size) {
  PLAT_ASSERT(source_);
}

void ScaledImageLoader::loadImage(fb::WritablePixelBuffer* pb, plat::Point pos) {
  if (source_->getSize() == size_) {
    source_->loadImage(pb, pos);
    return;
  }
  PLAT_ASSERT(pb->getPf().equal(source_->getPf()));
  PLAT_ASSERT(pos == plat::Point(0, 0));
  fb::ManagedPixelBuffer whole(source_);
  plat::Rect rect(pos, pos + size_);
  int stride = 0;
  unsigned char* pixels = pb->getPixelsRW(rect, &stride);
  if (!pixels) return;  // nothing to draw at a size of 0
  Scaler scaler;
  scaler.setSourcePb(&whole, false);
  scaler.setPf(pb->getPf());
  scaler.setColourMap(pb->getColourMap());
  scaler.setDstSz(size_);
  scaler.getImage(pixels, rect, stride);
}

}  // namespace gfxutil
