#include "lib2/wvw/WBgLayout.h"

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

void WBgLayout::render(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  plat::Rect all(plat::Point(), size_);
  if (fillBackground) {
    fb::fillRect(pb, inset ? expandRect(all, -2) : all, toPixel(background, pb));
  }
  WLayout::render(pb);
  if (lineAbove)
    fb::drawLine(pb, plat::Point(0, 0), plat::Point(size_.x, 0),
                 toPixel(style->bevelLowColour, pb));
  if (lineBelow)
    fb::drawLine(pb, plat::Point(0, size_.y - 1), plat::Point(size_.x, size_.y - 1),
                 toPixel(style->borderColour, pb));
  if (inset) {
    fb::outlineRect(pb, all, toPixel(style->bevelLowColour, pb), 1);
    fb::outlineRect(pb, expandRect(all, -1), toPixel(style->bevelHighColour, pb), 1);
  }
}

}  // namespace wvw
