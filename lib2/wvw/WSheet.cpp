#include "lib2/wvw/WSheet.h"

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

WSheet::WSheet(Widget* page) : WLayout(true), page_(this, page) {
  if (page_) add(page_, plat::Point(10, 10), nullptr);
  setSize(getMinSize());
}

plat::Point WSheet::getMinSize() const {
  return (page_ ? page_->getMinSize() : plat::Point()) + plat::Point(2 * padding, 2 * padding);
}

bool WSheet::handleResize(Widget* w) {
  if (w == this && page_)
    setPos(page_, plat::Rect(padding, padding, size_.x - padding, size_.y - padding));
  return Widget::handleResize(w);
}

void WSheet::render(fb::WritablePixelBuffer* pb) {
  WLayout::render(pb);
  const WStyle* st = getStyle();
  unsigned high = toPixel(st->bevelHighColour, pb), low = toPixel(st->bevelLowColour, pb);
  int w = size_.x, h = size_.y;
  fb::outlineRoundedRect(pb, plat::Rect(1, 1, w - 1, h - 1), 2, high);
  fb::outlineRoundedRect(pb, plat::Rect(0, 0, w, h), 3, low);
  int x0 = tabRect.tl.x + tabOffset, x1 = tabRect.br.x + tabOffset;
  fb::fillRect(pb, plat::Rect(x0 + 2, 0, x1 - 2, 2), toPixel(st->backgroundColour, pb));
  if (tabOffset == 0) fb::drawLine(pb, plat::Point(0, 0), plat::Point(0, 2), low);
  fb::drawLine(pb, plat::Point(x0, 0), plat::Point(x0, 1), low);
  fb::drawLine(pb, plat::Point(x0 + 1, 0), plat::Point(x0 + 1, 2), high);
  fb::drawLine(pb, plat::Point(x1 - 1, 0), plat::Point(x1 - 1, 1), low);
  fb::drawLine(pb, plat::Point(x1 - 2, 0), plat::Point(x1 - 2, 2), high);
}

}  // namespace wvw
