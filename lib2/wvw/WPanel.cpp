#include "lib2/wvw/WPanel.h"

#include <algorithm>

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

WPanel::WPanel(const char* title) : WLayout(true), content_(true), title_(title, plat::ALIGN_LEFT) {
  title_.setSize(title_.getMinSize());
  halfTitleHeight_ = title_.getSize().y / 2;
  add(&title_, nullptr);
  add(&content_, nullptr);
}

plat::Point WPanel::getMinSize() const {
  plat::Point c = content_.getMinSize(), t = title_.getSize();
  return plat::Point(std::max(c.x, t.x) + 2 * padding_, t.y + c.y + 2 * padding_);
}

bool WPanel::handleResize(Widget* w) {
  if (w == this) {
    setPos(&title_, plat::Point(10, 0));
    // Inside the padding on both sides, not overhanging the right edge.
    content_.setSize(plat::Point(size_.x - 2 * padding_, content_.getMinSize().y));
    setPos(&content_, plat::Point(padding_, title_.getSize().y + padding_));
  }
  return WLayout::handleResize(w);
}

void WPanel::render(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  plat::Rect r(0, halfTitleHeight_, size_.x, size_.y);
  fb::outlineRoundedRect(pb, expandRect(r, -1), 2, toPixel(style->bevelHighColour, pb));
  fb::outlineRoundedRect(pb, r, 3, toPixel(style->bevelLowColour, pb));
  WLayout::render(pb);
}

void WPanel::setEnabled(bool enabled) {
  title_.setEnabled(enabled);
  WLayout::setEnabled(enabled);
}

}  // namespace wvw
