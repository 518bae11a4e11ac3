// A pixel buffer whose pixels can be written in place through getPixelsRW,
// under the same rules as the read pointers of PixelBuffer.
#pragma once

#include "lib2/fb/PixelBuffer.h"

namespace fb {

class WritablePixelBuffer : public PixelBuffer {
 public:
  using PixelBuffer::PixelBuffer;

  const unsigned char* getPixelsR(const plat::Rect& r, int* stride) override {
    return getPixelsRW(r, stride);
  }
  virtual unsigned char* getPixelsRW(const plat::Rect& r, int* stride) = 0;
};

}  // namespace fb
