#include "lib2/fb/ManagedPixelBuffer.h"

#include <algorithm>
#include <utility>

#include "lib1/plat/Assert.h"
#include "lib2/fb/ImageLoader.h"
#include "lib2/fb/ImageRect.h"

namespace fb {

ManagedPixelBuffer::ManagedPixelBuffer() = default;

ManagedPixelBuffer::ManagedPixelBuffer(const PixelFormat& pf, const plat::Rect& r,
                                       const ColourMap* cm)
    : ConfigurablePixelBuffer(pf, r, cm) {
  checkCapacity();
}

ManagedPixelBuffer::ManagedPixelBuffer(const PixelFormat& pf, const plat::Point& size,
                                       const ColourMap* cm)
    : ManagedPixelBuffer(pf, plat::Rect(plat::Point(), size), cm) {}

ManagedPixelBuffer::ManagedPixelBuffer(ImageLoader* loader) {
  checkCapacity();
  if (!loader) return;
  format_ = loader->getPf();
  setSize(loader->getSize());
  loader->loadImage(this, plat::Point(0, 0));
}

ManagedPixelBuffer::~ManagedPixelBuffer() = default;

void ManagedPixelBuffer::setPf(const PixelFormat& pf) {
  format_ = pf;
  checkCapacity();
}

void ManagedPixelBuffer::setSize(const plat::Point& requested) {
  plat::Point size(std::max(requested.x, 0), std::max(requested.y, 0));
  if (size == plat::Point(width_, height_)) return;
  if (!preserve_) {
    width_ = size.x;
    height_ = size.y;
    checkCapacity();
    return;
  }
  // Set the old pixels aside, start on a fresh zeroed block and copy back
  // what still fits, at the same place; the old block goes however that ends.
  int oldWidth = width_, oldHeight = height_;
  std::unique_ptr<unsigned char[]> old = takeData();
  width_ = size.x;
  height_ = size.y;
  checkCapacity();
  if (!old || !data_) return;
  imageRect(old.get(), data_, std::min(oldWidth, width_), std::min(oldHeight, height_),
            format_.bpp / 8, oldWidth, width_);
}

std::unique_ptr<unsigned char[]> ManagedPixelBuffer::takeData() {
  width_ = 0;
  height_ = 0;
  capacity_ = 0;
  data_ = nullptr;
  stride_ = 0;
  return std::move(block_);
}

void ManagedPixelBuffer::replaceData(std::unique_ptr<unsigned char[]> block, size_t capacity) {
  capacity_ = block ? capacity : 0;
  PLAT_ASSERT(capacity_ >= sizeBytes());
  block_ = std::move(block);
  data_ = block_.get();
  stride_ = width_;
}

void ManagedPixelBuffer::replaceDataAndSetRect(std::unique_ptr<unsigned char[]> block,
                                               size_t capacity, const plat::Rect& r) {
  offset_ = r.tl;
  width_ = std::max(r.width(), 0);
  height_ = std::max(r.height(), 0);
  replaceData(std::move(block), capacity);
}

void ManagedPixelBuffer::checkCapacity() {
  stride_ = width_;
  size_t needed = sizeBytes();
  if (needed == 0) {
    replaceData(nullptr, 0);
  } else if (needed > capacity_) {
    // Value-initialised: a block is never handed out with old heap contents.
    replaceData(std::make_unique<unsigned char[]>(needed), needed);
  }
}

void ManagedPixelBuffer::setColourMap(const ColourMap* borrowed) {
  PLAT_ASSERT(!borrowed || borrowed != ownColourMap_.get());
  ownColourMap_.reset();
  colourMap_ = borrowed;
}

void ManagedPixelBuffer::setColourMap(std::unique_ptr<ColourMap> owned) {
  PLAT_ASSERT(!owned || owned.get() != ownColourMap_.get());
  ownColourMap_ = std::move(owned);
  colourMap_ = ownColourMap_.get();
}

}  // namespace fb
