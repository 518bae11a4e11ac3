// The style look-up and the drawing helpers of Widget.
#include "lib2/fb/Draw.h"
#include "lib2/wvw/WParent.h"
#include "lib2/wvw/WStyle.h"
#include "lib2/wvw/Widget.h"

namespace wvw {

const WStyle* Widget::getStyle() const {
  if (style_) return style_;
  if (parent_) {
    if (const WStyle* inherited = parent_->getWidgetStyle()) return inherited;
  }
  return WStyle::defaultStyle();
}

void Widget::setStyle(const WStyle* style) {
  style_ = style;
  styleChanged();
}

unsigned int Widget::toPixel(fb::Colour c, fb::PixelBuffer* pb) {
  // Alpha 0 leaves any alpha bits of the format clear.
  return pb->getPf().rgba8ToPixel(fb::ColourWithAlpha{c.r, c.g, c.b, 0}, pb->getColourMap());
}

void Widget::drawBoundingRect(fb::WritablePixelBuffer* pb, const plat::Rect& r, bool rounded) {
  unsigned int pixel = toPixel(getStyle()->borderColour, pb);
  if (rounded)
    fb::outlineRoundedRect(pb, r, 3, pixel);
  else
    fb::outlineRect(pb, r, pixel, 1);
}

void Widget::drawBevel(fb::WritablePixelBuffer* pb, const plat::Rect& r, bool raised, bool round) {
  const WStyle* style = getStyle();
  unsigned int light = toPixel(style->bevelHighColour, pb);
  unsigned int dark = toPixel(style->bevelLowColour, pb);
  unsigned int outer = raised ? dark : light;
  unsigned int inner = raised ? light : dark;
  int radius = round ? r.width() / 2 : 3;
  fb::outlineRoundedRect(pb, expandRect(r, -1), radius - 1, inner);
  fb::outlineRoundedRect(pb, r, radius, outer);
}

}  // namespace wvw
