#include "lib2/wvw/WScrollbar.h"

#include <algorithm>
#include <climits>

#include "lib2/fb/Draw.h"

namespace wvw {

namespace {
constexpr WScrollArrow::Icon Up{0x00, 0x00, 0x18, 0x3C, 0x7E, 0xFF, 0x00, 0x00};
constexpr WScrollArrow::Icon Down{0x00, 0x00, 0xFF, 0x7E, 0x3C, 0x18, 0x00, 0x00};
constexpr WScrollArrow::Icon Left{0x04, 0x0C, 0x1C, 0x3C, 0x3C, 0x1C, 0x0C, 0x04};
constexpr WScrollArrow::Icon Right{0x20, 0x30, 0x38, 0x3C, 0x3C, 0x38, 0x30, 0x20};
constexpr int FirstRepeatMs = 300;
constexpr int FastestRepeatMs = 100;
}  // namespace

WScrollbar::WScrollbar(bool horizontal, int stepSize)
    : WLayout(true),
      slider(horizontal),
      step(stepSize),
      decButton(horizontal ? Left : Up),
      incButton(horizontal ? Right : Down) {
  add(&decButton, plat::Point(), nullptr);
  add(&slider, plat::Point(), nullptr);
  add(&incButton, plat::Point(), nullptr);
}

WScrollbar::~WScrollbar() { repeatTimer.stop(); }

void WScrollbar::moveBy(int units) {
  plat::Point p = slider.position;
  long long along = (long long)(slider.horizontal ? p.x : p.y) + units;
  int v = int(std::clamp<long long>(along, INT_MIN, INT_MAX));
  slider.setPosition(slider.horizontal ? plat::Point(v, p.y) : plat::Point(p.x, v));
}

bool WScrollbar::handleClick(Widget* w) {
  if (w == &incButton) moveBy(step);
  if (w == &decButton) moveBy(-step);
  return WLayout::handleClick(w);
}

bool WScrollbar::handleChanged(Widget* w) {
  if (w == &incButton || w == &decButton) repeatTimer.start(FirstRepeatMs);
  return WLayout::handleChanged(w);
}

bool WScrollbar::handleTimeout(plat::Timer*) {
  if (incButton.isDown())
    moveBy(step);
  else if (decButton.isDown())
    moveBy(-step);
  else
    return false;
  repeatTimer.start(std::max(FastestRepeatMs, 4 * repeatTimer.getTimeoutMs() / 5));
  return false;
}

bool WScrollbar::handleResize(Widget* w) {
  if (w == this) {
    bool h = slider.horizontal;
    int t = h ? size_.y : size_.x;
    int len = h ? size_.x : size_.y;
    setPos(&decButton, plat::Rect(0, 0, t, t));
    setPos(&slider, h ? plat::Rect(t, 0, len - t, t) : plat::Rect(0, t, t, len - t));
    setPos(&incButton, plat::Rect(size_ - plat::Point(t, t), size_));
  }
  return WLayout::handleResize(w);
}

void WScrollbar::render(fb::WritablePixelBuffer* pb) {
  fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(BevelBgDark, pb));
  WLayout::render(pb);
}

}  // namespace wvw
