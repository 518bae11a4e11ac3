// A menu shown as a grabbing popup on the screen root, pushed left and up to
// stay on it and wrapped into columns when taller than it. It starts hidden;
// show() puts it up and hide() takes it down again, as does Escape while it
// holds the keyboard. Choices and the edit menu pop these up; they own the
// items and hear the clicks.
#pragma once

#include "lib2/wvw/Forward.h"
#include "lib2/wvw/WMenu.h"

namespace wvw {

class WRootMenu : public WMenu {
 public:
  // root may be null when every show() names a widget to place against.
  explicit WRootMenu(WRoot* root);
  // Takes a shown menu down first.
  ~WRootMenu() override;

  // pos is in relativeTo's coordinates (null: the stored root's). Showing
  // with no root at all is a programming error and stops the program.
  void show(const plat::Point& pos, Widget* relativeTo);
  void hide() override;
  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;

 private:
  WRoot* root_;
};

}  // namespace wvw
