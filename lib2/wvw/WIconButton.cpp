#include "lib2/wvw/WIconButton.h"

namespace wvw {

WIconButton::WIconButton(const unsigned char* mask, const plat::Point& size)
    : WBevelButton(true), icon(mask, size) {
  setChild(&icon);
}

// The icon is a member and goes before the container part; it must leave the
// list first.
WIconButton::~WIconButton() { setChild(nullptr); }

}  // namespace wvw
