// A top-level dialog window: a widget host whose tree is a canvas of its own,
// into which derived dialogs put their widgets. The window manager decorates
// it and may close it (a close request dismisses it with false), and it is
// transient for its owner when it has one. A window another client destroyed
// is dismissed with false too, and stays so: showCodeModal then returns false
// at once rather than wait for an answer nobody can give.
//
// showCodeModal blocks in a loop of its own until the dialog is dismissed.
// Meanwhile the dialog is the modal window, so input aimed at other windows
// is dropped, and a timer manager of the loop's own is current: timers
// started in the loop run there, timers of the outer loop wait. When the loop
// ends, every window starts again on the outer manager what it still had to
// do (resumeTimers: a repaint, say), so no window stays stale after the
// dialog closes.
//
// Invariant: done() is set exactly from a dismiss until the next show or
// showCodeModal.
#pragma once

#include "lib2/tx/TXWParent.h"
#include "lib2/wvw/WCanvas.h"

namespace tx {

class TXDialog : public TXWParent, public TXDeleteWindowCallback {
 public:
  // owner is not owned and may be null; name is the resource name and the
  // title. centre: setSize centres the window on the screen.
  TXDialog(TXWindow* owner, const char* name, bool centre);
  ~TXDialog() override;

  using TXWParent::show;
  void show();
  // Hides the dialog and ends a running showCodeModal with r. Returns true.
  bool dismiss(bool r);
  // The same size again changes nothing, not even the position.
  void setSize(const plat::Point& size);
  void deleteWindow(TXWindow* w) override;
  void destroyNotify() override;
  // Shows the dialog and serves X events and the loop's own timers until it
  // is dismissed; returns the dismiss result. A failed wait throws
  // plat::SystemException "select"; the outer timer manager is current
  // again however the loop is left.
  bool showCodeModal();

  bool done() const { return done_; }
  bool result() const { return result_; }
  wvw::WCanvas* getCanvas() { return &canvas_; }
  TXWindow* getOwner() const { return owner_; }

 protected:
  // Called before the window is shown by show and showCodeModal.
  virtual void initDialog() {}

 private:
  // Waits until the X connection is readable, at most t ms (-1: no limit).
  static void waitForX(int t);

  bool done_ = false;
  bool result_ = false;
  bool centre_;
  wvw::WCanvas canvas_;
  TXWindow* owner_;
};

}  // namespace tx
