// gfxutil::ScaledImageLoader delivers another loader's image at another size.
// The source is decoded whole into a temporary buffer and area-averaged into
// the target, in the target's own format, which must be the source's.
//
// The source is borrowed and must outlive this loader.
#pragma once

#include "lib2/fb/ImageLoader.h"

namespace gfxutil {

class ScaledImageLoader : public fb::ImageLoader {
 public:
  ScaledImageLoader(fb::ImageLoader* source, plat::Point size);

  plat::Point getSize() const override { return size_; }
  const fb::PixelFormat& getPf() const override { return source_->getPf(); }
  // Scaled images are only ever loaded at (0,0); another position is a fatal
  // assertion, since where the scaled pixels would come from is not settled.
  void loadImage(fb::WritablePixelBuffer* pb, plat::Point pos) override;

 private:
  fb::ImageLoader* source_;  // not owned
  plat::Point size_;
};

}  // namespace gfxutil
