#include "lib2/wvw/WIcon.h"

#include "lib2/fb/DrawMask.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

WIcon::WIcon(const unsigned char* mask, const plat::Point& size)
    : Widget(nullptr), mask_(mask), iconSize_(size) {}

bool WIcon::handleEnable(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleEnable(w);
}

void WIcon::render(fb::WritablePixelBuffer* pb) {
  const WStyle* st = getStyle();
  unsigned pixel = toPixel(enabled_ ? st->textColour : st->textDisabledColour, pb);
  plat::Point tl((size_.x - iconSize_.x) / 2, (size_.y - iconSize_.y) / 2);
  fb::maskFill(pb, plat::Rect(tl, tl + iconSize_), pixel, mask_, 0, 0);
}

}  // namespace wvw
