// The window in which the screen root shows a widget as a popup: a widget
// host without window-manager decoration. While it holds the pointer grab,
// a press outside the widget takes the popup down through the root, which
// destroys this object, and then tells the widget it is hidden
// (setVisible(false)), so that its owner knows it is no longer up.
#pragma once

#include "lib2/tx/TXWParent.h"

namespace tx {

class TXWPopup : public TXWParent {
 public:
  TXWPopup(wvw::Widget* widget, TXWindow* parent);

 protected:
  void handleEvent(TXWindow* w, XEvent* ev) override;
};

}  // namespace tx
