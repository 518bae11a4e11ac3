#include "lib2/wvw/WChoiceButton.h"

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WRootMenu.h"

namespace wvw {

WChoiceButton::WChoiceButton(WRootMenu* menu) : WArrowButton(WArrow::Down), menu_(menu) {}

WChoiceButton::~WChoiceButton() = default;

bool WChoiceButton::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (w != this) return WButton::handleKeyEvent(keysym, down, w);
  if (down) {
    pressedWhileHidden_ = !menu_->isVisible();
    return WButton::handleKeyEvent(keysym, down, w);
  }
  if (pressedWhileHidden_) {
    pressedWhileHidden_ = false;
    return WButton::handleKeyEvent(keysym, down, w);
  }
  // The press worked the shown menu (a Return that picked, say): its release
  // only lets the button up again, so the menu it closed stays closed. Space
  // pressed the button as Return does, so it must let it up too.
  if (keysym == fb::keysym::Return || keysym == fb::keysym::space) setDown(false);
  return true;
}

}  // namespace wvw
