// mui::MuSuperboxTx: the super-box of the X11 back-end. While its popup is
// open the popup's window holds the pointer and the keyboard, so that a
// press anywhere reaches it: a press of the first three buttons outside the
// popup closes it (the wheel's buttons do not). It hears the popup window's
// events before the window itself and passes on every one it does not take.
//
// Invariants: the popup is a dialog of the X11 back-end, with a window; from
// construction to destruction this object is that window's event handler,
// and on destruction the window gets its own handler back and loses a grab
// it still holds.
#pragma once

#include "lib2/mui/wvw/MuSuperboxWvw.h"
#include "lib2/tx/TXEventHandler.h"

namespace mui {

class MuSuperboxTx : public MuSuperboxWvw, private TXEventHandler {
 public:
  MuSuperboxTx(MuContainer* parent, const char* id, const char* label, Callback* callback,
               int popupHeight);
  ~MuSuperboxTx() override;

  void showPopup(bool show) override;

 private:
  void handleEvent(TXWindow* window, XEvent* event) override;
  // The size of what the popup window hosts: outside it is outside.
  plat::Point popupExtent() const;

  TXWindow* window_;
  TXEventHandler* previousHandler_;
};

MuSuperbox* muSuperboxTx(MuContainer* parent, const char* id, const char* label,
                         MuSuperbox::Callback* callback, int popupHeight);

}  // namespace mui
