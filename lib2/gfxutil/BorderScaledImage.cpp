#include "lib2/gfxutil/BorderScaledImage.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/fb/Blit.h"
#include "lib2/fb/Region.h"
#include "lib2/gfxutil/ScaledPixelBuffer.h"

namespace gfxutil {

void composeScaledPart(fb::FullFramePixelBuffer* image, const plat::Rect& part,
                       fb::WritablePixelBuffer* dst, const plat::Rect& dstRect,
                       fb::CompositeFn op) {
  // A layout may give less room than the borders need; those pieces have no
  // area and get no scaler.
  if (part.isEmpty() || dstRect.isEmpty()) return;
  fb::FullFramePixelBuffer view(image, part);
  ScaledPixelBuffer scaled;
  scaled.setSourcePb(&view, true);
  scaled.setSize(plat::Point(dstRect.width(), dstRect.height()));
  scaled.grabRegion(fb::Region(fb::RgnRect(scaled.getRect())));
  fb::blit(&scaled, plat::Point(0, 0), dst, dstRect, op);
}

const fb::PixelFormat& BorderScaledImage::getPf() const {
  PLAT_ASSERT(image);
  return image->getPf();
}

void BorderScaledImage::setScaleBorders(int top, int right, int bottom, int left) {
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  left_ = left;
  PLAT_ASSERT_MSG(top_ >= 0 && right_ >= 0 && bottom_ >= 0 && left_ >= 0,
                  "Negative image border sizes");
}

plat::Point BorderScaledImage::getMinSize(const plat::Point& content) const {
  if (!image) return content;
  return plat::Point(std::max(image->getWidth(), content.x + left_ + right_),
                     std::max(image->getHeight(), content.y + top_ + bottom_));
}

plat::Rect BorderScaledImage::getCentreRect(const plat::Rect& r) const {
  return plat::Rect(r.tl.x + left_, r.tl.y + top_, r.br.x - right_, r.br.y - bottom_);
}

void BorderScaledImage::compose(fb::WritablePixelBuffer* dst, const plat::Rect& r,
                                fb::CompositeFn op) {
  PLAT_ASSERT(image);
  const int top = top_, right = right_, bottom = bottom_, left = left_;
  const plat::Point is(image->getWidth(), image->getHeight());
  if (is.x == 0 || is.y == 0) return;
  PLAT_ASSERT_MSG((top + bottom < is.y) && (left + right < is.x), "Intersecting image borders");
  const int w = is.x, h = is.y;
  const int sx = r.width(), sy = r.height();
  const plat::Point origin = image->getOffset();
  auto corner = [&](int srcX, int srcY, const plat::Rect& d) {
    if (!d.isEmpty()) fb::blit(image, origin + plat::Point(srcX, srcY), dst, d, op);
  };
  auto stretch = [&](const plat::Rect& part, const plat::Rect& d) {
    composeScaledPart(image, part + origin, dst, d, op);
  };
  if (top > 0 && right > 0) corner(w - right, 0, plat::Rect(sx - right, 0, sx, top));
  if (bottom > 0 && right > 0)
    corner(w - right, h - bottom, plat::Rect(sx - right, sy - bottom, sx, sy));
  if (bottom > 0 && left > 0) corner(0, h - bottom, plat::Rect(0, sy - bottom, left, sy));
  if (top > 0 && left > 0) corner(0, 0, plat::Rect(0, 0, left, top));
  if (top > 0) stretch(plat::Rect(left, 0, w - right, top), plat::Rect(left, 0, sx - right, top));
  if (right > 0)
    stretch(plat::Rect(w - right, top, w, h - bottom),
            plat::Rect(sx - right, top, sx, sy - bottom));
  if (bottom > 0)
    stretch(plat::Rect(left, h - bottom, w - right, h),
            plat::Rect(left, sy - bottom, sx - right, sy));
  if (left > 0)
    stretch(plat::Rect(0, top, left, h - bottom), plat::Rect(0, top, left, sy - bottom));
  stretch(plat::Rect(left, top, w - right, h - bottom), getCentreRect(plat::Rect(0, 0, sx, sy)));
}

}  // namespace gfxutil
