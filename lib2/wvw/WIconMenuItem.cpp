#include "lib2/wvw/WIconMenuItem.h"

namespace wvw {

WIconMenuItem::WIconMenuItem(WMenu* menu, const char* text, bool checkable)
    : WMenuItem(menu, text, checkable) {}

void WIconMenuItem::addIcon(const unsigned char* mask, const plat::Point& size) {
  icon_ = std::make_unique<WIcon>(mask, size);
  icon_->setSize(size);
  add(icon_.get(), nullptr);
  layout();
}

plat::Point WIconMenuItem::getMinSize() const {
  plat::Point min = WMenuItem::getMinSize();
  return icon_ ? min + plat::Point(icon_->getSize().x + 8, 0) : min;
}

void WIconMenuItem::layout() {
  WMenuItem::layout();
  if (icon_) setPos(icon_.get(), plat::Point(size_.x - icon_->getSize().x, 0));
}

bool WIconMenuItem::handleResize(Widget* w) {
  bool consumed = WMenuItem::handleResize(w);
  layout();
  return consumed;
}

}  // namespace wvw
