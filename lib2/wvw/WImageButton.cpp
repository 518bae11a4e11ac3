#include "lib2/wvw/WImageButton.h"

namespace wvw {

WImageButton::WImageButton(bool bevelled, bool focusable)
    : WBevelButton(focusable), bevelled_(bevelled) {}

void WImageButton::addImage(WImage* normal, WImage* disabled) {
  // A copy made for the previous image shows the wrong picture now; drop it,
  // so that a given disabled image is never mistaken for one of ours.
  if (child_ && child_ == ownedDisabled_.get()) setChild(nullptr);
  ownedDisabled_.reset();
  image_ = normal;
  disabledImage_ = disabled;
  setChild(normal);
}

void WImageButton::setEnabled(bool enabled) {
  Widget::setEnabled(enabled);
  if (enabled) {
    setChild(image_);
    return;
  }
  // Without an image there is nothing to grey; the button stays empty.
  if (!disabledImage_ && image_) {
    ownedDisabled_ = image_->createGreyscale();
    disabledImage_ = ownedDisabled_.get();
  }
  setChild(disabledImage_);
}

void WImageButton::alwaysDown(bool on) {
  forcedDown_ = on;
  invalidate();
}

bool WImageButton::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (w == this && !hover_) {
    hover_ = true;
    invalidate();
  }
  return Widget::handlePtrMove(pos, w);
}

bool WImageButton::handlePtrLeave(Widget* w) {
  if (w == this) {
    hover_ = false;
    down_ = false;
    invalidate();
  }
  return Widget::handlePtrLeave(w);
}

void WImageButton::render(fb::WritablePixelBuffer* pb) {
  if (bevelled_) {
    WBevelButton::render(pb);
    return;
  }
  WLayout::render(pb);
  if (down_ || forcedDown_ || hover_)
    drawBevel(pb, plat::Rect(0, 0, size_.x, size_.y), forcedDown_ || down_, false);
}

}  // namespace wvw
