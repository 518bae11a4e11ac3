#include "lib2/gfxutil/ScaledPixelBuffer.h"

#include <algorithm>

#include "lib2/fb/PixelAccess.h"
#include "lib2/fb/Region.h"

namespace gfxutil {

ScaledPixelBuffer::ScaledPixelBuffer() = default;
ScaledPixelBuffer::~ScaledPixelBuffer() = default;

void ScaledPixelBuffer::setSourcePb(fb::PixelBuffer* pb, bool takeFormat) {
  source_ = pb;
  colourMap_ = pb->getColourMap();
  scaler_.setSourcePb(pb, takeFormat);
  if (takeFormat) setPf(pb->getPf());
  if (cache_.getWidth() == 0 || cache_.getHeight() == 0)
    setSize(plat::Point(pb->getWidth(), pb->getHeight()));
  else
    sizeCache();
}

void ScaledPixelBuffer::sizeCache() {
  cache_.setSize(passThrough() ? plat::Point(0, 0) : plat::Point(width_, height_));
}

void ScaledPixelBuffer::setPf(const fb::PixelFormat& pf) {
  format_ = pf;
  scaler_.setPf(pf);
  scaler_.setColourMap(source_ ? source_->getColourMap() : nullptr);
  cache_.setPf(pf);
  sizeCache();
}

void ScaledPixelBuffer::setSize(const plat::Point& requested) {
  plat::Point size(std::max(requested.x, 0), std::max(requested.y, 0));
  width_ = size.x;
  height_ = size.y;
  scaler_.setDstSz(size);
  sizeCache();
}

const unsigned char* ScaledPixelBuffer::getPixelsR(const plat::Rect& r, int* stride) {
  if (!source_) {
    if (stride) *stride = 0;
    return nullptr;
  }
  if (passThrough()) return source_->getPixelsR(r - offset_ + source_->getOffset(), stride);
  return cache_.getPixelsRW(r - offset_, stride);
}

void ScaledPixelBuffer::grabRegion(const fb::Region& region) {
  const miRegion::_Box& ext = region.extents;
  plat::Rect bounds(ext.x1, ext.y1, ext.x2, ext.y2);
  // The cache covers this buffer only: parts of the region outside it have
  // nothing to refresh.
  plat::Rect r = fb::clipRect(bounds - offset_, plat::Rect(0, 0, width_, height_));
  if (r.isEmpty() || !source_) return;
  plat::Rect srcRect = scaledToSourceRect(r, scaler_.getCoords()) + source_->getOffset();
  source_->grabRegion(fb::Region(fb::RgnRect(srcRect)));
  if (passThrough()) return;
  int stride = 0;
  unsigned char* pixels = cache_.getPixelsRW(r, &stride);
  scaler_.getImage(pixels, r, stride);
}

}  // namespace gfxutil
