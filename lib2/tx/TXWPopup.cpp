#include "lib2/tx/TXWPopup.h"

#include "lib2/tx/TXWRoot.h"

namespace tx {

TXWPopup::TXWPopup(wvw::Widget* widget, TXWindow* parent) : TXWParent(widget, parent, true) {}

void TXWPopup::handleEvent(TXWindow* w, XEvent* ev) {
  if (ev->type == ButtonPress && grabPointerWin == this && child()) {
    // Under the grab every press on the screen comes here, relative to us.
    plat::Point size = child()->getSize();
    int x = ev->xbutton.x, y = ev->xbutton.y;
    if (x < 0 || y < 0 || x >= size.x || y >= size.y) {
      wvw::Widget* widget = child();
      TXWRoot::inst()->showPopup(widget, false, false, plat::Point());
      // This popup is gone; only the widget is left to tell.
      widget->setVisible(false);
      return;
    }
  }
  TXWParent::handleEvent(w, ev);
}

}  // namespace tx
