// gfxutil::BorderScaledImage stretches a small picture to any size without
// distorting its edges: four border widths cut it into nine pieces; the
// corners are copied unscaled, the four edges are stretched along their
// length only and the middle both ways.
//
// The picture is borrowed. Border widths are never negative and, when a
// picture is composed, leave a middle of at least one pixel each way.
#pragma once

#include "lib2/fb/Composite.h"
#include "lib2/fb/FullFramePixelBuffer.h"

namespace gfxutil {

// Draws image part `part` stretched over dstRect of dst, through op. Nothing
// happens for an empty part or an empty (or inverted) dstRect.
void composeScaledPart(fb::FullFramePixelBuffer* image, const plat::Rect& part,
                       fb::WritablePixelBuffer* dst, const plat::Rect& dstRect, fb::CompositeFn op);

class BorderScaledImage {
 public:
  void setImage(fb::FullFramePixelBuffer* pb) { image = pb; }
  bool isValid() const { return image != nullptr; }
  const fb::PixelFormat& getPf() const;
  // Negative widths are a fatal assertion.
  void setScaleBorders(int top, int right, int bottom, int left);

  // Per axis, the larger of the picture's size and content plus the borders.
  plat::Point getMinSize(const plat::Point& content) const;
  plat::Rect getCentreRect(const plat::Rect& r) const;

  // The nine pieces drawn into dst over r (whose top-left is dst's origin).
  // A rectangle smaller than getMinSize draws the pieces that still fit.
  void compose(fb::WritablePixelBuffer* dst, const plat::Rect& r, fb::CompositeFn op);

  fb::FullFramePixelBuffer* image = nullptr;  // not owned

 private:
  int top_ = 0;
  int right_ = 0;
  int bottom_ = 0;
  int left_ = 0;
};

}  // namespace gfxutil
