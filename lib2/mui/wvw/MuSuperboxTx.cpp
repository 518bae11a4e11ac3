#include "lib2/mui/wvw/MuSuperboxTx.h"

#include <X11/Xlib.h>

#include "lib1/plat/Assert.h"
#include "lib2/tx/TXWParent.h"
#include "lib2/tx/TXWindow.h"

namespace mui {

MuSuperboxTx::MuSuperboxTx(MuContainer* parent, const char* id, const char* label,
                           Callback* callback, int popupHeight)
    : MuSuperboxWvw(parent, id, label, callback, popupHeight),
      window_(getPopup()->getWinPtr()),
      previousHandler_(nullptr) {
  PLAT_ASSERT(window_);
  previousHandler_ = window_->setEventHandler(this);
}

MuSuperboxTx::~MuSuperboxTx() {
  // The popup outlives this part of the element for a moment: it must not
  // call back into it, nor keep a grab nobody will release.
  window_->grabPointerAndKeyboard(false, 0);
  window_->setEventHandler(previousHandler_);
}

void MuSuperboxTx::showPopup(bool show) {
  MuSuperboxWvw::showPopup(show);
  window_->grabPointerAndKeyboard(show, 0);
}

plat::Point MuSuperboxTx::popupExtent() const {
  if (auto* host = dynamic_cast<tx::TXWParent*>(window_); host && host->child())
    return host->child()->getSize();
  return window_->size();
}

void MuSuperboxTx::handleEvent(TXWindow* window, XEvent* event) {
  if (event->type == ButtonPress && event->xbutton.button >= Button1 &&
      event->xbutton.button <= Button3) {
    plat::Point extent = popupExtent();
    int x = event->xbutton.x, y = event->xbutton.y;
    if (x < 0 || y < 0 || x >= extent.x || y >= extent.y) {
      showPopup(false);
      return;
    }
  }
  if (previousHandler_) previousHandler_->handleEvent(window, event);
}

MuSuperbox* muSuperboxTx(MuContainer* parent, const char* id, const char* label,
                         MuSuperbox::Callback* callback, int popupHeight) {
  return new MuSuperboxTx(parent, id, label, callback, popupHeight);
}

}  // namespace mui
