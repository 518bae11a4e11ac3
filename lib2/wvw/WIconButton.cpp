#include "lib2/wvw/WIconButton.h"

namespace wvw {

WIconButton::WIconButton(const unsigned char* mask, const plat::Point& size)
    : WBevelButton(true), icon(mask, size) {
  setChild(&icon);
}

}  // namespace wvw
