// The arrow button of a drop-down choice. It opens the choice's menu through
// the usual click on a Return or space release, except when the key was
// pressed while the menu was up: that key picked an item or otherwise worked
// the menu, and its release must not open the menu again.
//
// "Up" always means the menu widget is visible at the moment of the press:
// the window layer takes a grabbing popup down by itself on a press outside
// it and then hides the menu, so no flag of the button's own could be trusted.
#pragma once

#include "lib2/wvw/WArrowButton.h"

namespace wvw {

class WRootMenu;

class WChoiceButton : public WArrowButton {
 public:
  // menu: the choice's menu, not owned; it outlives the button.
  explicit WChoiceButton(WRootMenu* menu);
  ~WChoiceButton() override;

  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;

 private:
  WRootMenu* menu_;
  bool pressedWhileHidden_ = false;
};

}  // namespace wvw
