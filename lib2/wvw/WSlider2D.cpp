#include "lib2/wvw/WSlider2D.h"

#include <algorithm>
#include <climits>

#include "lib2/fb/Draw.h"

namespace wvw {

WSlider2D::WSlider2D() : Widget(nullptr) { setKnobUnits(plat::Point(1, 1)); }

int WSlider2D::div(long long a, long long b) {
  if (b == 0) return 0;
  long long half = b / 2;
  long long q = ((a < 0) == (b < 0)) ? (a + half) / b : (a - half) / b;
  return int(std::clamp<long long>(q, INT_MIN, INT_MAX));
}

void WSlider2D::setRange(plat::Point r) {
  range = r;
  setKnobUnits(knobUnits);
  setPosition(position);
}

void WSlider2D::setKnobUnits(plat::Point u) {
  knobUnits = plat::Point(std::max(u.x, 1), std::max(u.y, 1));
  auto along = [](int units, int r, int s) {
    int k = div((long long)units * s, (long long)units + r);
    return std::min(std::max(k, 8), s);
  };
  knobSize =
      plat::Point(along(knobUnits.x, range.x, size_.x), along(knobUnits.y, range.y, size_.y));
  invalidate();
}

void WSlider2D::setPosition(plat::Point p) {
  p.x = std::max(std::min(p.x, range.x), 0);
  p.y = std::max(std::min(p.y, range.y), 0);
  if (p == position) return;
  position = p;
  handleChanged(this);
}

plat::Point WSlider2D::knobPos() const {
  int x = div((long long)position.x * (size_.x - knobSize.x), range.x);
  int y = div((long long)position.y * (size_.y - knobSize.y), range.y);
  if (flipY) y = size_.y - y - knobSize.y;
  return plat::Point(x, y);
}

plat::Rect WSlider2D::knobRect() const {
  plat::Point p = knobPos();
  return plat::Rect(p, p + knobSize);
}

bool WSlider2D::handlePtrPress(unsigned char button, Widget* w) {
  if (w == this && button == 0) {
    plat::Point p = pointerPos_;
    plat::Rect k = knobRect();
    if (k.tl.x <= p.x && p.x < k.br.x && k.tl.y <= p.y && p.y < k.br.y) {
      dragging = true;
      dragOffset = p - knobPos();
      invalidate();
    } else {
      int dx = p.x < k.tl.x ? -1 : p.x >= k.br.x ? 1 : 0;
      // Flipped, "above" means a larger value; the rows on either side of
      // the knob count exactly as they do unflipped, so none is dead.
      int dy = p.y < k.tl.y ? -1 : p.y >= k.br.y ? 1 : 0;
      if (flipY) dy = -dy;
      setPosition(plat::Point(position.x + dx * knobUnits.x, position.y + dy * knobUnits.y));
    }
  }
  return Widget::handlePtrPress(button, w);
}

bool WSlider2D::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (w == this && dragging) {
    plat::Point t = pos - dragOffset;
    if (flipY) t.y = size_.y - t.y - knobSize.y;
    setPosition(plat::Point(div((long long)t.x * range.x, size_.x - knobSize.x),
                            div((long long)t.y * range.y, size_.y - knobSize.y)));
  }
  return Widget::handlePtrMove(pos, w);
}

bool WSlider2D::handlePtrRelease(unsigned char button, Widget* w) {
  if (w == this && button == 0) {
    dragging = false;
    invalidate();
  }
  return Widget::handlePtrRelease(button, w);
}

bool WSlider2D::handlePtrLeave(Widget* w) {
  if (w == this) {
    dragging = false;
    invalidate();
  }
  return Widget::handlePtrLeave(w);
}

bool WSlider2D::handleChanged(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleChanged(w);
}

bool WSlider2D::handleResize(Widget* w) {
  if (w == this) setKnobUnits(knobUnits);
  return Widget::handleResize(w);
}

void WSlider2D::render(fb::WritablePixelBuffer* pb) {
  plat::Rect k = knobRect();
  fb::verticalGradRect(pb, expandRect(k, -2), dragging ? BevelBgDark : BevelHigh,
                       dragging ? BevelBg : BevelBgDark);
  drawBevel(pb, k, dragging, false);
}

}  // namespace wvw
