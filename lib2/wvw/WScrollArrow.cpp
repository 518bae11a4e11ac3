#include "lib2/wvw/WScrollArrow.h"

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

void WScrollArrow::setDown(bool down) {
  if (down == down_) return;
  down_ = down;
  invalidate();
  handleChanged(this);
}

bool WScrollArrow::handlePtrPress(unsigned char button, Widget* w) {
  if (w == this && button == 0 && enabled_) setDown(true);
  return Widget::handlePtrPress(button, w);
}

bool WScrollArrow::handlePtrRelease(unsigned char button, Widget* w) {
  if (w == this && button == 0 && down_) {
    setDown(false);
    plat::Point p = pointerPos_;
    if (p.x >= 0 && p.y >= 0 && p.x < size_.x && p.y < size_.y) handleClick(this);
  }
  return Widget::handlePtrRelease(button, w);
}

bool WScrollArrow::handlePtrLeave(Widget* w) {
  if (w == this) setDown(false);
  return Widget::handlePtrLeave(w);
}

void WScrollArrow::render(fb::WritablePixelBuffer* pb) {
  plat::Rect all(plat::Point(), size_);
  fb::verticalGradRect(pb, expandRect(all, -2), down_ ? BevelBgDark : BevelHigh,
                       down_ ? BevelBg : BevelBgDark);
  drawBevel(pb, all, !down_, false);
  const WStyle* style = getStyle();
  unsigned int pixel = toPixel(enabled_ ? style->textColour : style->textDisabledColour, pb);
  plat::Point at((size_.x - IconSize) / 2, (size_.y - IconSize) / 2);
  if (down_) at += plat::Point(1, 1);
  for (int y = 0; y < IconSize; y++)
    for (int x = 0; x < IconSize; x++)
      if (icon_[size_t(y)] & (0x80 >> x)) fb::drawPixel(pb, at + plat::Point(x, y), pixel);
}

}  // namespace wvw
