#include "lib2/wvw/WBevelButton.h"

#include "lib2/fb/Draw.h"

namespace wvw {

WBevelButton::WBevelButton(bool focusable) : WButton(focusable) {}

void WBevelButton::placeChild() {
  // A button may be sized before it gets its content; then there is nothing
  // to place yet.
  if (child_) WLayout::setPos(child_, plat::Rect(3, 3, size_.x - 3, size_.y - 3));
}

void WBevelButton::setChild(Widget* w) {
  WButton::setChild(w);
  placeChild();
}

bool WBevelButton::handleResize(Widget* w) {
  if (w == this) placeChild();
  return Widget::handleResize(w);
}

bool WBevelButton::handleChanged(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleChanged(w);
}

bool WBevelButton::handleFocus(bool reverse, Widget* w) {
  if (w == this) invalidate();
  return WLayout::handleFocus(reverse, w);
}

plat::Point WBevelButton::getMinSize() const {
  plat::Point inner = child_ ? child_->getMinSize() : plat::Point();
  return inner + plat::Point(6, 6);
}

void WBevelButton::invalidateBevel() {
  fb::Region ring;
  ring.assign_subtract(fb::Region(fb::RgnRect(1, 1, size_.x - 1, size_.y - 1)),
                       fb::Region(fb::RgnRect(3, 3, size_.x - 3, size_.y - 3)));
  invalidate(ring);
}

void WBevelButton::render(fb::WritablePixelBuffer* pb) {
  int w = size_.x, h = size_.y;
  fb::Colour top = down_ ? BevelBgDark : BevelHigh;
  fb::Colour bottom = down_ ? BevelBg : BevelBgDark;
  if (!enabled_) top = bottom = BevelHigh;
  fb::verticalGradRect(pb, plat::Rect(2, 2, w - 2, h - 2), top, bottom);
  WLayout::render(pb);
  drawBevel(pb, plat::Rect(0, 0, w, h), !down_, false);
  if (hasFocus()) drawBoundingRect(pb, plat::Rect(0, 0, w, h), true);
}

}  // namespace wvw
