// The screen as the widgets see it: its rectangle, and windows of their own
// for popups (menus, tooltips), optionally grabbing pointer and keyboard.
#pragma once

#include "lib1/plat/Geometry.h"
#include "lib2/wvw/Forward.h"

namespace wvw {

class WRoot {
 public:
  virtual ~WRoot();

  // Top-left is (0, 0).
  virtual plat::Rect getRect() = 0;
  // show: host popup in a window of its size at screen position pos; grab
  // takes pointer and keyboard. Not show: hide that window, releasing its grab.
  virtual void showPopup(Widget* popup, bool show, bool grab, const plat::Point& pos) = 0;
};

}  // namespace wvw
