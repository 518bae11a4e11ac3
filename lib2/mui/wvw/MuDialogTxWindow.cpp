#include "lib2/mui/wvw/MuDialogTxWindow.h"

namespace mui {

MuDialogTxWindow::MuDialogTxWindow(Listener* listener, TXWindow* ownerWin, const char* title,
                                   const wvw::WStyle& style)
    : tx::TXDialog(ownerWin, title, false), listener_(listener), style_(style) {
  getCanvas()->setStyle(&style_);
}

MuDialogTxWindow::~MuDialogTxWindow() {
  // The window's own teardown would stop the border as its child, after the
  // border went: it is hidden now and left with no child.
  if (isMapped()) dismiss(false);
  forgetChild();
}

void MuDialogTxWindow::addBorder() {
  if (border_) return;
  border_ = std::make_unique<WDialogBorder>(getCanvas());
  border_->setSize(getCanvas()->getSize());
  setChild(border_.get());
}

void MuDialogTxWindow::deleteWindow(TXWindow* w) {
  if (w == this && listener_) listener_->windowCloseRequested();
}

void MuDialogTxWindow::resumeTimers() {
  tx::TXDialog::resumeTimers();
  if (listener_) listener_->windowTimersStopped();
}

void MuDialogTxWindow::initDialog() {
  if (listener_) listener_->windowShowing();
}

void MuDialogTxWindow::destroyNotify() {
  tx::TXDialog::destroyNotify();
  if (listener_) listener_->windowDestroyed();
}

void MuDialogTxWindow::handleEvent(TXWindow* w, XEvent* ev) {
  if (ev->type == ButtonPress || ev->type == ButtonRelease || ev->type == MotionNotify) {
    // Button and motion events keep their coordinates in the same places.
    lastPointer_ = plat::Point(ev->xbutton.x, ev->xbutton.y);
    lastRootPointer_ = plat::Point(ev->xbutton.x_root, ev->xbutton.y_root);
  }
  tx::TXDialog::handleEvent(w, ev);
}

void MuDialogTxWindow::configureNotify() {
  if (listener_) listener_->windowConfigured();
}

void MuDialogTxWindow::takeFocus(Time) {
  if (listener_) listener_->windowFocusOffered();
}

bool MuDialogTxWindow::handleKeyEvent(unsigned keysym, bool down, wvw::Widget* w) {
  return listener_ && listener_->windowKeyEvent(keysym, down, w);
}

bool MuDialogTxWindow::handlePtrPress(unsigned char button, wvw::Widget* w) {
  return listener_ && listener_->windowPtrPress(button, w);
}

bool MuDialogTxWindow::handleResize(wvw::Widget* w) {
  if (listener_) listener_->windowWidgetResized(w);
  return false;
}

bool MuDialogTxWindow::handleStart(wvw::Widget* w) {
  if (listener_) listener_->windowWidgetStarted(w);
  return false;
}

}  // namespace mui
