#include "lib2/wvw/WImage.h"

#include "lib2/fb/Blit.h"

namespace wvw {

WImage::WImage(const char* name, plat::Point size) : Widget(nullptr) { load(name, size); }

WImage::~WImage() = default;

bool WImage::load(const char* name, plat::Point size) {
  namedPb_ = gfxutil::getNamedImagePb(name, size);
  shownPb_ = namedPb_.get();
  plat::Point imageSize(shownPb_->getWidth(), shownPb_->getHeight());
  if (size_ == plat::Point()) setSize(imageSize);
  invalidate();
  return imageSize.x != 0 || imageSize.y != 0;
}

fb::ManagedPixelBuffer* WImage::alloc(const fb::PixelFormat& pf, plat::Point size) {
  if (!ownPb_) ownPb_ = std::make_unique<fb::ManagedPixelBuffer>();
  ownPb_->setPf(pf);
  ownPb_->setSize(size);
  shownPb_ = ownPb_.get();
  return ownPb_.get();
}

void WImage::show(fb::PixelBuffer* pb) {
  shownPb_ = pb;
  namedPb_.reset();
  ownPb_.reset();
  // The stretched copy reads its source when it is rebuilt; it must not keep
  // the address of a buffer that may go.
  scaledPb_.reset();
  if (pb && size_ == plat::Point()) setSize(plat::Point(pb->getWidth(), pb->getHeight()));
  invalidate();
}

std::unique_ptr<WImage> WImage::createGreyscale() {
  auto copy = std::make_unique<WImage>(nullptr, plat::Point());
  if (shownPb_) {
    plat::Point sz(shownPb_->getWidth(), shownPb_->getHeight());
    fb::ManagedPixelBuffer* dst = copy->alloc(shownPb_->getPf(), sz);
    fb::blit(shownPb_, plat::Point(), dst, plat::Rect(plat::Point(), sz), fb::greyscale);
  }
  return copy;
}

void WImage::invalidate(const fb::Region& region) {
  stale_ = true;
  Widget::invalidate(region);
}

plat::Point WImage::getMinSize() const {
  if (!shownPb_) return plat::Point();
  return plat::Point(shownPb_->getWidth(), shownPb_->getHeight());
}

void WImage::render(fb::WritablePixelBuffer* pb) {
  if (!shownPb_) return;
  int w = size_.x, h = size_.y;
  int iw = shownPb_->getWidth(), ih = shownPb_->getHeight();
  if (scaled) {
    if (!scaledPb_) scaledPb_ = std::make_unique<gfxutil::ScaledPixelBuffer>();
    if (stale_ || scaledPb_->getWidth() != w || scaledPb_->getHeight() != h) {
      scaledPb_->setSourcePb(shownPb_, true);
      scaledPb_->setSize(plat::Point(w, h));
      scaledPb_->grabRegion(fb::Region(fb::RgnRect(0, 0, w, h)));
      stale_ = false;
    }
    fb::blit(scaledPb_.get(), plat::Point(), pb, plat::Rect(0, 0, w, h), fb::compositeOver);
  } else if (tiled) {
    // An empty image gives no step to tile by, so it draws nothing.
    if (iw <= 0 || ih <= 0) return;
    for (int y = 0; y < h; y += ih)
      for (int x = 0; x < w; x += iw)
        fb::blit(shownPb_, plat::Point(), pb, plat::Rect(x, y, x + iw, y + ih), fb::compositeOver);
  } else {
    int x0 = ((w - iw) * hAlign) / 2, y0 = ((h - ih) * vAlign) / 2;
    fb::blit(shownPb_, plat::Point(), pb, plat::Rect(x0, y0, x0 + iw, y0 + ih), fb::compositeOver);
  }
}

}  // namespace wvw
