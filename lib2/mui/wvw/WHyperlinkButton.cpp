#include "lib2/mui/wvw/WHyperlinkButton.h"

namespace mui {

WHyperlinkButton::WHyperlinkButton(bool focusable, const wvw::WStyle& style)
    : WButton(focusable), style_(style) {
  style_.textColour = Blue;
  label_.setPadding(0);
  label_.setTransparent(true);
  label_.setUnderlined(true);
  label_.setStyle(&style_);
  setChild(&label_);
  WLayout::setPos(&label_, plat::Rect(plat::Point(), size_));
}

void WHyperlinkButton::highlight(bool on) {
  if (on == highlighted_) return;
  highlighted_ = on;
  style_.textColour = on ? Red : Blue;
  invalidate();
}

bool WHyperlinkButton::handlePtrMove(const plat::Point& pos, wvw::Widget* w) {
  if (w == this) highlight(true);
  return WButton::handlePtrMove(pos, w);
}

bool WHyperlinkButton::handlePtrLeave(wvw::Widget* w) {
  if (w == this) highlight(false);
  return WButton::handlePtrLeave(w);
}

bool WHyperlinkButton::handleFocus(bool reverse, wvw::Widget* w) {
  if (w == this) highlight(hasFocus());
  return WButton::handleFocus(reverse, w);
}

bool WHyperlinkButton::handleResize(wvw::Widget* w) {
  if (w == this) WLayout::setPos(&label_, plat::Rect(plat::Point(), size_));
  return WButton::handleResize(w);
}

}  // namespace mui
