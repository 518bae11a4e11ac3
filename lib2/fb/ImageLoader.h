// Whatever can deliver an image of known size and pixel format into a
// writable pixel buffer: decoders, and loaders that pick or scale an image.
#pragma once

#include "lib1/plat/Geometry.h"
#include "lib2/fb/PixelFormat.h"

namespace fb {

class WritablePixelBuffer;

class ImageLoader {
 public:
  virtual ~ImageLoader() = default;

  // The size of the image loadImage delivers.
  virtual plat::Point getSize() const = 0;
  // The format loadImage writes in; the target buffer must have it.
  virtual const PixelFormat& getPf() const = 0;
  // Writes the image into pb with its top-left pixel at pos.
  virtual void loadImage(WritablePixelBuffer* pb, plat::Point pos) = 0;
};

}  // namespace fb
