// A configurable pixel buffer that owns its memory, and optionally its colour
// map. The block grows when a size or format needs more bytes and otherwise
// stays, so buffers that are resized often do not churn the allocator; it is
// given back only when the buffer becomes empty. New blocks are all zero
// bytes, so no stale heap contents ever reach the screen.
//
// Invariants: capacity_ >= sizeBytes() and stride_ == width_.
#pragma once

#include <cstddef>
#include <memory>

#include "lib2/fb/ConfigurablePixelBuffer.h"

namespace fb {

class ImageLoader;

class ManagedPixelBuffer : public ConfigurablePixelBuffer {
 public:
  ManagedPixelBuffer();
  ManagedPixelBuffer(const PixelFormat& pf, const plat::Rect& r, const ColourMap* cm);
  ManagedPixelBuffer(const PixelFormat& pf, const plat::Point& size, const ColourMap* cm);
  // Sized and filled by the loader, in its format; empty for a null loader.
  explicit ManagedPixelBuffer(ImageLoader* loader);
  ~ManagedPixelBuffer() override;

  // Pixels are kept as bytes, not converted.
  void setPf(const PixelFormat& pf) override;
  // A negative width or height counts as 0.
  void setSize(const plat::Point& size) override;

  // The memory goes to the caller; the buffer is left empty (its offset stays).
  std::unique_ptr<unsigned char[]> takeData();
  // block becomes the memory; capacity (its size in bytes) must cover the
  // current size.
  void replaceData(std::unique_ptr<unsigned char[]> block, size_t capacity);
  void replaceDataAndSetRect(std::unique_ptr<unsigned char[]> block, size_t capacity,
                             const plat::Rect& r);
  // Makes the block at least sizeBytes() large.
  void checkCapacity();

  void setColourMap(const ColourMap* borrowed);
  void setColourMap(std::unique_ptr<ColourMap> owned);

  size_t sizeBytes() const { return size_t(width_) * size_t(height_) * (format_.bpp / 8); }
  size_t getCapacity() const { return capacity_; }

 private:
  std::unique_ptr<unsigned char[]> block_;  // data_ points into it
  size_t capacity_ = 0;
  std::unique_ptr<ColourMap> ownColourMap_;  // colourMap_ when the buffer owns it
};

}  // namespace fb
