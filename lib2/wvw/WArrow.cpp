#include "lib2/wvw/WArrow.h"

#include <algorithm>

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

WArrow::WArrow(Direction d) : Widget(nullptr), direction_(d) {}

void WArrow::setPadding(int p) {
  if (p == padding_) return;
  padding_ = p;
  invalidate();
}

bool WArrow::handleEnable(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleEnable(w);
}

void WArrow::render(fb::WritablePixelBuffer* pb) {
  int s = std::min(size_.x, size_.y);
  int x0 = (size_.x - s) / 2, y0 = (size_.y - s) / 2;
  plat::Rect r = expandRect(plat::Rect(x0, y0, x0 + s, y0 + s), -padding_);
  const WStyle* st = getStyle();
  unsigned pixel = toPixel(enabled_ ? st->textColour : st->textDisabledColour, pb);
  // Lines from the base of the triangle to its tip, each one pixel shorter at
  // both ends; the base sits q pixels in from the side pointed away from.
  int d = r.br.x - r.tl.x;
  int n = d / 2 + d % 2, q = d / 4;
  for (int i = 0; i < n; i++) {
    plat::Rect line;
    switch (direction_) {
      case Left:
        line = plat::Rect(r.br.x - q - i - 1, r.tl.y + i, r.br.x - q - i, r.br.y - i);
        break;
      case Right:
        line = plat::Rect(r.tl.x + q + i, r.tl.y + i, r.tl.x + q + i + 1, r.br.y - i);
        break;
      case Up:
        line = plat::Rect(r.tl.x + i, r.br.y - q - i - 1, r.br.x - i, r.br.y - q - i);
        break;
      case Down:
        line = plat::Rect(r.tl.x + i, r.tl.y + q + i, r.br.x - i, r.tl.y + q + i + 1);
        break;
      default:
        return;
    }
    fb::fillRect(pb, line, pixel);
  }
}

}  // namespace wvw
