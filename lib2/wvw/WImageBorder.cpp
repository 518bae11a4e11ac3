#include "lib2/wvw/WImageBorder.h"

#include "lib2/fb/Blit.h"

namespace wvw {

WImageBorder::WImageBorder() : WLayout(true) {}

void WImageBorder::load(const char* name, const plat::Point&) {
  namedPb_ = gfxutil::getNamedImagePb(name, size_);
  border_.setImage(namedPb_.get());
  composedValid_ = false;
  invalidate();
}

void WImageBorder::setBorders(int top, int right, int bottom, int left) {
  border_.setScaleBorders(top, right, bottom, left);
  composedValid_ = false;
  layoutChild();
  invalidate();
}

void WImageBorder::setChild(Widget* w) {
  if (child_) remove(child_);
  child_ = w;
  if (w) add(w, nullptr);
  layoutChild();
}

void WImageBorder::layoutChild() {
  if (child_) WLayout::setPos(child_, border_.getCentreRect(plat::Rect(0, 0, size_.x, size_.y)));
}

bool WImageBorder::handleResize(Widget* w) {
  if (w == this) {
    composedValid_ = false;
    layoutChild();
  }
  return Widget::handleResize(w);
}

plat::Point WImageBorder::getMinSize() const {
  // A border not yet given content still asks for its picture and borders.
  return border_.getMinSize(child_ ? child_->getMinSize() : plat::Point());
}

void WImageBorder::compose() {
  composedValid_ = true;
  // Without a picture (none loaded, or a missing one, which is empty) there is
  // nothing to compose, and cutting an empty picture into nine would fail; an
  // empty buffer draws nothing.
  if (!border_.isValid() || border_.image->getWidth() == 0 || border_.image->getHeight() == 0) {
    composed_.setSize(plat::Point());
    return;
  }
  composed_.setPf(border_.getPf());
  composed_.setSize(size_);
  border_.compose(&composed_, plat::Rect(0, 0, size_.x, size_.y), fb::srcCopy);
}

void WImageBorder::render(fb::WritablePixelBuffer* pb) {
  if (!composedValid_) compose();
  if (composed_.getWidth() > 0 && composed_.getHeight() > 0)
    fb::blit(&composed_, plat::Point(), pb, plat::Rect(0, 0, size_.x, size_.y), fb::compositeOver);
  WLayout::render(pb);
}

}  // namespace wvw
