#include "lib2/wvw/WTab.h"

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

WTab::WTab(const char* text) : WBevelButton(true), label_(text, plat::ALIGN_LEFT) {
  setChild(&label_);
  label_.setPadding(0);
  label_.setTransparent(true);
  label_.setAlignment(plat::ALIGN_CENTRE, plat::ALIGN_CENTRE);
}

void WTab::setState(WLayout* strip, int x, bool selected) {
  selected_ = selected;
  strip->setPos(this, plat::Point(x, selected ? 0 : 1));
}

plat::Point WTab::getMinSize() const {
  return (child_ ? child_->getMinSize() : plat::Point()) + plat::Point(6, 10);
}

bool WTab::acceptsFocus() const { return WBevelButton::acceptsFocus() && !selected_; }

bool WTab::handleResize(Widget* w) {
  if (w == this && child_) WLayout::setPos(child_, plat::Rect(3, 0, size_.x - 3, size_.y - 4));
  return Widget::handleResize(w);
}

void WTab::render(fb::WritablePixelBuffer* pb) {
  const WStyle* st = getStyle();
  int w = size_.x, h = size_.y;
  fb::verticalGradRect(pb, plat::Rect(2, 2, w - 2, h - 5),
                       down_ || selected_ ? BevelHigh : BevelBgDark, st->backgroundColour);
  WLayout::render(pb);
  int d = selected_ ? 0 : 1;
  fb::outlineRoundedRect(pb, plat::Rect(1, 1 + d, w - 1, h - 1 + d), 2,
                         toPixel(st->bevelHighColour, pb));
  bool ring = hasFocus() && acceptsFocus();
  fb::outlineRoundedRect(pb, plat::Rect(0, d, w, h + d), 3,
                         toPixel(ring ? st->borderColour : st->bevelLowColour, pb));
}

}  // namespace wvw
