// mui::MuDialogTxWindow: the top-level window of one dialog of the X11
// back-end, owned by that dialog. It is a tx::TXDialog whose canvas holds
// the widgets of the dialog's panels, and it keeps the style the canvas
// draws with. What the window hears that concerns the dialog (keys and
// presses nobody below took, resizes and starts of the tree's widgets,
// configure notifications, the window manager's focus offers and close
// requests, its destruction by another client, the moments before it maps
// and after a modal loop stopped its timers) it passes to its listener;
// kept apart from the dialog, the window's own virtual operations never
// reach the dialog's.
//
// The listener is the dialog until the dialog goes; a window kept alive a
// little longer (its own modal loop still runs) passes nothing on. The
// pointer position of the last pointer event is kept, in the window and on
// the screen.
#pragma once

#include <memory>

#include "lib2/mui/wvw/WDialogBorder.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WStyle.h"

namespace mui {

class MuDialogTxWindow : public tx::TXDialog {
 public:
  class Listener {
   public:
    virtual ~Listener() = default;
    virtual bool windowKeyEvent(unsigned keysym, bool down, wvw::Widget* w) = 0;
    virtual bool windowPtrPress(unsigned char button, wvw::Widget* w) = 0;
    virtual void windowWidgetResized(wvw::Widget* w) = 0;
    virtual void windowWidgetStarted(wvw::Widget* w) = 0;
    virtual void windowConfigured() = 0;
    virtual void windowFocusOffered() = 0;
    virtual void windowCloseRequested() = 0;
    // Another client destroyed the window, which is dismissed already.
    virtual void windowDestroyed() = 0;
    // Before the window is mapped, by a show or a modal run.
    virtual void windowShowing() = 0;
    // A modal loop ended and stopped the timers started in it.
    virtual void windowTimersStopped() = 0;
  };

  // ownerWin may be null; style is copied and given to the canvas.
  MuDialogTxWindow(Listener* listener, TXWindow* ownerWin, const char* title,
                   const wvw::WStyle& style);
  ~MuDialogTxWindow() override;

  // Puts an outline round the canvas, once.
  void addBorder();
  void detach() { listener_ = nullptr; }

  wvw::WStyle& style() { return style_; }
  // The widget the window hosts: the border, or else the canvas.
  wvw::Widget* top() { return child(); }
  WDialogBorder* border() const { return border_.get(); }
  plat::Point lastPointer() const { return lastPointer_; }
  plat::Point lastRootPointer() const { return lastRootPointer_; }

  void deleteWindow(TXWindow* w) override;
  void resumeTimers() override;

 protected:
  void handleEvent(TXWindow* w, XEvent* ev) override;
  void configureNotify() override;
  void takeFocus(Time time) override;
  void destroyNotify() override;
  void initDialog() override;

 private:
  bool handleKeyEvent(unsigned keysym, bool down, wvw::Widget* w) override;
  bool handlePtrPress(unsigned char button, wvw::Widget* w) override;
  bool handleResize(wvw::Widget* w) override;
  bool handleStart(wvw::Widget* w) override;

  Listener* listener_;
  wvw::WStyle style_;
  wvw::WChild<std::unique_ptr<WDialogBorder>> border_;
  plat::Point lastPointer_;
  plat::Point lastRootPointer_;
};

}  // namespace mui
