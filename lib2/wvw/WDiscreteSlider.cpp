#include "lib2/wvw/WDiscreteSlider.h"

#include <algorithm>

#include "lib2/fb/Draw.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

namespace {
constexpr int KnobAlong = 11;
constexpr int KnobAcrossMax = 20;
constexpr int TrackAcross = 6;
}  // namespace

WDiscreteSlider::WDiscreteSlider(bool isHorizontal) : WSlider(isHorizontal) {
  flipY = !isHorizontal;
}

plat::Point WDiscreteSlider::getMinSize() const {
  return horizontal ? plat::Point(26, 10) : plat::Point(10, 26);
}

bool WDiscreteSlider::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (w == this && down) {
    int step = 0;
    if (horizontal && keysym == fb::keysym::Left) step = -1;
    if (horizontal && keysym == fb::keysym::Right) step = 1;
    if (!horizontal && keysym == fb::keysym::Down) step = -1;
    if (!horizontal && keysym == fb::keysym::Up) step = 1;
    if (step != 0) {
      setPosition(horizontal ? plat::Point(position.x + step, 0)
                             : plat::Point(0, position.y + step));
      return true;
    }
  }
  return Widget::handleKeyEvent(keysym, down, w);
}

bool WDiscreteSlider::handleFocus(bool reverse, Widget* w) {
  if (w == this) invalidate();
  return Widget::handleFocus(reverse, w);
}

bool WDiscreteSlider::handleEnable(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleEnable(w);
}

void WDiscreteSlider::render(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  int across = std::min(horizontal ? size_.y : size_.x, KnobAcrossMax);
  knobSize = horizontal ? plat::Point(KnobAlong, across) : plat::Point(across, KnobAlong);
  int off = (across - TrackAcross) / 2;
  plat::Rect track = horizontal ? plat::Rect(0, off, size_.x, off + TrackAcross)
                                : plat::Rect(off, 0, off + TrackAcross, size_.y);
  if (enabled_) fb::fillRect(pb, expandRect(track, -1), toPixel(style->fieldColour, pb));
  drawBevel(pb, track, true, false);

  plat::Rect k = knobRect();
  fb::Colour top = !enabled_ ? BevelBg : dragging ? BevelBgDark : BevelHigh;
  fb::Colour bottom = !enabled_ ? BevelBg : dragging ? BevelBg : BevelBgDark;
  fb::verticalGradRect(pb, expandRect(k, -2), top, bottom);
  drawBevel(pb, k, !dragging, false);
  if (hasFocus()) fb::outlineRoundedRect(pb, k, 3, toPixel(style->borderColour, pb));
  drawTicks(pb);
}

void WDiscreteSlider::drawTicks(fb::WritablePixelBuffer* pb) {
  unsigned int pixel = toPixel(getStyle()->bevelLowColour, pb);
  int r = horizontal ? range.x : range.y;
  int span = (horizontal ? size_.x : size_.y) - KnobAlong;
  auto tick = [&](int o) {
    plat::Rect t = horizontal ? plat::Rect(5 + o, knobSize.y + 2, 6 + o, knobSize.y + 8)
                              : plat::Rect(knobSize.x + 2, 5 + o, knobSize.x + 8, 6 + o);
    fb::fillRect(pb, t, pixel);
  };
  if (r < 0) r = 0;
  // With more values than pixels every pixel of the span carries a tick, so
  // drawing one per pixel gives the same picture without a loop per value
  // (and a slider too short for its knob draws none rather than millions).
  if (r > std::max(span, 0)) {
    for (int o = 0; o <= span; o++) tick(o);
    return;
  }
  for (int t = 0; t <= r; t++) tick(r == 0 ? 0 : div((long long)t * span, r));
}

}  // namespace wvw
