// mui::MuDialogTx: the dialog element of the X11 back-end, shown as a
// top-level window of its own (MuDialogTxWindow), centred on its owner
// window or on the screen unless it was placed. The flags decide how it
// shows: code-modal dialogs run a loop of their own inside show(true),
// modal ones become the modal window, and others may be override-redirect
// and raised, kept above, undecorated, or drawn with their own border.
//
// Hiding waits while the window manager is still moving or resizing the
// window: a hide within a second of the last configure notification is
// put off until a second has passed without one. A put-off hide whose timer
// a modal loop stopped as it ended is started again on the manager current
// then. A raised or kept-above dialog is raised and given the state before
// it is mapped, so a modal run has it from the start and the window manager
// finds the state as it takes the window on. The window manager's close
// request reports MuEventClosed (unless closing is disabled) and hides at
// once; its focus offer reports MuEventFocusOffered; Return and Escape act
// on their release. A window another client destroyed reports
// MuEventWindowDestroyed, whatever the flags: the dialog's own modal loop
// has ended by then, and the dialog cannot be shown again.
//
// An observer may destroy the dialog from inside any event it reports,
// also from inside its modal loop: the window then lives until the loop has
// returned, hidden and deaf. Destruction hides the window and stops its
// widgets before the panels go, so no panel's widget stops half-destroyed.
#pragma once

#include <memory>
#include <optional>

#include "lib1/plat/Timer.h"
#include "lib2/mui/MuDialog.h"
#include "lib2/mui/wvw/MuDialogTxWindow.h"
#include "lib2/mui/wvw/MuLayoutDump.h"

namespace mui {

class MuDialogTx : public MuDialog,
                   private MuDialogTxWindow::Listener,
                   private plat::Timer::Callback {
 public:
  // The window's owner is the parent dialog's window when there is a parent
  // dialog, else ownerWin. Undecorated is dropped when the window manager
  // cannot move a window for its client.
  MuDialogTx(const char* id, const char* title, const plat::Point& size, int flags,
             MuDialog* parentDialog, TXWindow* ownerWin);
  ~MuDialogTx() override;

  // show(true) of a code-modal dialog returns when the dialog is hidden.
  void show(bool shown) override;
  bool isShown() const override;
  void setSize(const plat::Point& size) override;
  plat::Point getAbsolutePos() const override;
  void setBgColour(const fb::Colour& colour) override;
  void update() override;
  void childAdded(MuElement* element) override;
  void childRemoved(MuElement* element) override;
  void destroyChildren() override;
  void setMinSize(const plat::Point& size) override;
  TXWindow* getWinPtr() override { return window_.get(); }
  void setTitle(const char* title) override;
  plat::Point getPrimaryDesktopSize() const override;
  void onSetFocus(MuElement* element) override;
  void layoutChildren() override;

 private:
  bool windowKeyEvent(unsigned keysym, bool down, wvw::Widget* w) override;
  bool windowPtrPress(unsigned char button, wvw::Widget* w) override;
  void windowWidgetResized(wvw::Widget* w) override;
  void windowWidgetStarted(wvw::Widget* w) override;
  void windowConfigured() override;
  void windowFocusOffered() override;
  void windowCloseRequested() override;
  void windowDestroyed() override;
  void windowShowing() override;
  void windowTimersStopped() override;
  bool handleTimeout(plat::Timer* t) override;

  // At once, or once a second has passed since the last configuration.
  void hide();
  // The window's size, or the one recorded for a height fitted at showing.
  plat::Point windowSize() const;
  // Sizes the border to the window and lays the panels out.
  void relayout();
  void placeUnlessPlaced();
  // The element of this dialog whose widget is w, or null.
  MuElement* elementOf(wvw::Widget* w);
  // Asks the window manager to drag the window for a press on pressed.
  bool dragFrom(MuElement* pressed);

  // Shared with a running modal loop, which keeps the window until it
  // returns.
  std::shared_ptr<MuDialogTxWindow> window_;
  plat::Timer hideTimer_{this};
  // -1 until the first configure notification; 100 ns units.
  long long lastConfigureTime_ = -1;
  // When the put-off hide is due, while one is; 100 ns units. It outlives
  // hideTimer_ when a modal loop stops that.
  std::optional<long long> hideDue_;
  // Set while a fitted height has not sized the X window yet.
  std::optional<plat::Point> recordedSize_;
  // Set while show(true) runs the dialog's own modal loop.
  bool inModalLoop_ = false;
  // The element last given the focus, watched in case it goes.
  MuElement* focusElement_ = nullptr;
  std::optional<Guard> focusGuard_;
  // Made only when the log asks for layout dumps (MuLayoutDump.h).
  std::unique_ptr<MuLayoutDump> dump_;
};

MuDialog* muDialogTx(const char* id, const char* title, const plat::Point& size, int flags,
                     MuDialog* parentDialog, TXWindow* ownerWin);

}  // namespace mui
