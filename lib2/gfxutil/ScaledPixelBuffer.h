// gfxutil::ScaledPixelBuffer: a read-only pixel buffer showing a source
// buffer at another size (and, if wanted, in another format). The scaled
// pixels live in a private cache that grabRegion fills from the source; the
// cache is all zero until then, so a read before the first grab shows black,
// never stale memory. While the scaled size and format equal the source's
// there is no cache and the source's own pixels are handed out.
//
// The source is borrowed and must outlive this buffer (or be replaced).
#pragma once

#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/Scaler.h"

namespace gfxutil {

class ScaledPixelBuffer : public fb::PixelBuffer {
 public:
  ScaledPixelBuffer();
  ~ScaledPixelBuffer() override;

  // Takes pb's size too unless a scaled size was set before.
  void setSourcePb(fb::PixelBuffer* pb, bool takeFormat);
  void setPf(const fb::PixelFormat& pf);
  // A negative width or height counts as 0.
  void setSize(const plat::Point& size);

  const unsigned char* getPixelsR(const plat::Rect& r, int* stride) override;
  // Brings the scaled pixels covering region's bounding rectangle up to date:
  // the source grabs the part it needs, then it is scaled into the cache.
  void grabRegion(const fb::Region& region) override;

  const Scaler& getScaler() const { return scaler_; }
  const fb::ManagedPixelBuffer& getCache() const { return cache_; }

 private:
  // The source's own pixels serve only when they are what this buffer shows:
  // the same size and the same format. Handing them out under another format
  // would show garbage, so a change of format alone keeps a cache too.
  bool passThrough() const {
    return source_ && scaler_.getCoords().srcSz == scaler_.getCoords().dstSz &&
           source_->getPf().equal(format_);
  }
  void sizeCache();

  fb::PixelBuffer* source_ = nullptr;  // not owned
  fb::ManagedPixelBuffer cache_;
  Scaler scaler_;
};

}  // namespace gfxutil
