// Named images as shared, cached pixel buffers.
//
// getNamedImagePb hands out one buffer per image name and size, made on the
// first request and kept until the program ends; size (0,0) asks for the
// image at its natural size for the screen density. A missing or bad image
// never throws: it is logged at debug level and gives an empty (0 by 0)
// buffer, which is cached like any other and found again by the size it was
// asked for, so a missing image is searched and logged once. An image that
// fails part-way through decoding is emptied too, so no half-drawn picture
// is ever shown. Pixels are premultiplied by alpha.
//
// Single-threaded: the cache is process-wide and unlocked.
#pragma once

#include "lib1/plat/SharedPtr.h"
#include "lib2/fb/ManagedPixelBuffer.h"

namespace gfxutil {

class NamedImagePixelBuffer : public fb::ManagedPixelBuffer {
 public:
  // A null or empty name gives an empty buffer without a search.
  NamedImagePixelBuffer(const char* name, plat::Point size);

  // Asked for at size (0,0), that is at the image's own size.
  bool naturalSize() const { return naturalSize_; }
  // The size it was asked for, which an empty buffer no longer shows.
  plat::Point requestedSize() const { return requested_; }

 private:
  bool naturalSize_;
  plat::Point requested_;
};

plat::SharedPtr<NamedImagePixelBuffer> getNamedImagePb(const char* name, plat::Point size);

}  // namespace gfxutil
