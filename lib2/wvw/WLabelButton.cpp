#include "lib2/wvw/WLabelButton.h"

#include <algorithm>

namespace wvw {

WLabelButton::WLabelButton(const char* text, bool focusable)
    : WBevelButton(focusable), label_(text, plat::ALIGN_LEFT) {
  label_.setPadding(0);
  label_.setTransparent(true);
  label_.setAlignment(plat::ALIGN_CENTRE, plat::ALIGN_CENTRE);
  setChild(&label_);
}

plat::Point WLabelButton::getMinSize() const {
  plat::Point min = WBevelButton::getMinSize();
  return plat::Point(std::max(min.x, 60), min.y);
}

}  // namespace wvw
