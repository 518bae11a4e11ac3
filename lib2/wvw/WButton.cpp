#include "lib2/wvw/WButton.h"

#include "lib2/fb/Keysyms.h"

namespace wvw {

WButton::WButton(bool focusable) : WLayout(false), focusable_(focusable) {}

bool WButton::setDown(bool d) {
  if (d == down_) return false;
  down_ = d;
  handleChanged(this);
  return true;
}

void WButton::setChild(Widget* w) {
  if (child_) remove(child_);
  child_ = w;
  if (w) add(w, nullptr);
}

bool WButton::acceptsFocus() const { return focusable_ && enabled_ && visible_; }

bool WButton::handleEnable(Widget* w) {
  if (w == this && child_) child_->setEnabled(enabled_);
  return Widget::handleEnable(w);
}

bool WButton::handlePtrPress(unsigned char button, Widget* w) {
  if (w == this && button == 0) setDown(true);
  return Widget::handlePtrPress(button, w);
}

bool WButton::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (w == this) {
    bool inside = pos.x >= 0 && pos.x < size_.x && pos.y >= 0 && pos.y < size_.y;
    // Any held button keeps the pressed look; only button 0 clicks on release.
    if (inside && buttonMask_ != 0) setDown(true);
    if (!inside) setDown(false);
  }
  return Widget::handlePtrMove(pos, w);
}

bool WButton::handlePtrRelease(unsigned char button, Widget* w) {
  if (w == this && down_ && button == 0) {
    setDown(false);
    if (handleClick(this)) return true;
  } else if (w == this && buttonMask_ == 0) {
    // Another button gave the pressed look by moving; the last one let go
    // takes it away, without a click.
    setDown(false);
  }
  return Widget::handlePtrRelease(button, w);
}

bool WButton::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (w == this && (keysym == fb::keysym::Return || keysym == fb::keysym::space)) {
    // Auto-repeat sends presses only, so the first press and the release are
    // the only changes; a release without a press (focus arrived while the key
    // was held) changes nothing and so does not click.
    if (setDown(down) && !down && handleClick(this)) return true;
  }
  return Widget::handleKeyEvent(keysym, down, w);
}

}  // namespace wvw
