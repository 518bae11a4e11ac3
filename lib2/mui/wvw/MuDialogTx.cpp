#include "lib2/mui/wvw/MuDialogTx.h"

#include "lib1/plat/Time.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuiWvw.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXProps.h"
#include "lib2/tx/TXWm.h"

namespace mui {

namespace {

// How long a hide waits after the window manager last configured the window.
constexpr int kHideDelayMs = 1000;
// _NET_WM_MOVERESIZE: a move, with button 1, asked for by an application.
constexpr unsigned kMoveResizeMove = 8;
constexpr unsigned kButton1 = 1;
constexpr unsigned kSourceApplication = 1;

// The dialog's back-end object: the canvas for everything but its place,
// which is the window's on the screen.
class DialogCommon : public MuCommonWvw {
 public:
  DialogCommon(wvw::Widget* canvas, TXWindow* window) : MuCommonWvw(canvas), window_(window) {}
  void setPos(const plat::Point& pos) override { window_->setUSPosition(pos, true); }
  plat::Point getPos() const override { return window_->getPosition(); }

 private:
  TXWindow* window_;
};

int withoutUnsupported(int flags) {
  if ((flags & MuDialog::Undecorated) && !tx::queryWmSupport(tx::xa_NET_WM_MOVERESIZE()))
    flags &= ~MuDialog::Undecorated;
  return flags;
}

TXWindow* ownerOf(MuDialog* parentDialog, TXWindow* ownerWin) {
  return parentDialog ? parentDialog->getWinPtr() : ownerWin;
}

MuElement* findElement(const MuContainer* c, const wvw::Widget* w) {
  for (int i = 0; i < c->numChildren(); i++) {
    MuElement* e = c->lookup(i);
    if (getWidget(e) == w) return e;
    if (const auto* sub = dynamic_cast<const MuContainer*>(e)) {
      if (MuElement* found = findElement(sub, w)) return found;
    }
  }
  return nullptr;
}

long long now() { return plat::getMonotonicTime(-1, nullptr); }

}  // namespace

MuDialogTx::MuDialogTx(const char* id, const char* title, const plat::Point& size, int flags,
                       MuDialog* parentDialog, TXWindow* ownerWin)
    : MuDialog(id, title, size, withoutUnsupported(flags), parentDialog, ownerWin),
      window_(std::make_shared<MuDialogTxWindow>(static_cast<MuDialogTxWindow::Listener*>(this),
                                                 ownerOf(parentDialog, ownerWin), title,
                                                 *getMuiWvw()->getDefaultStyle())) {
  int f = getDialogFlags();
  // A height fitted at showing would resize the X window twice: the size
  // waits for it.
  if (f & FitHeight)
    recordedSize_ = size;
  else
    window_->setSize(size);
  window_->setFixedSize(f & FixedSize);
  if (f & OverrideRedirect) window_->setOverrideRedirect(true);
  if (f & Undecorated) tx::setNoDecoration(window_.get());
  if (f & OwnBorder) window_->addBorder();
  window_->top()->setSize(windowSize());
  setImpl(std::make_unique<DialogCommon>(window_->getCanvas(), window_.get()));
  dump_ = MuLayoutDump::forDialog(this, window_.get());
}

MuDialogTx::~MuDialogTx() {
  // A dialog on its way out is not described.
  dump_.reset();
  hideTimer_.stop();
  window_->detach();
  // Hidden first: the canvas stops while every panel is whole, and a modal
  // loop of the dialog's own ends on its next pass.
  if (window_->isMapped() || inModalLoop_) window_->dismiss(false);
  destroyChildren();
}

plat::Point MuDialogTx::windowSize() const {
  return recordedSize_ ? *recordedSize_ : window_->size();
}

void MuDialogTx::relayout() {
  if (WDialogBorder* border = window_->border()) border->setSize(windowSize());
  layoutChildren();
}

void MuDialogTx::hide() {
  long long due = lastConfigureTime_ + kHideDelayMs * plat::kUnitsPerMs;
  long long t = now();
  // The window manager may still be moving or resizing the window: the hide
  // waits until it has left the window alone for a second.
  if (lastConfigureTime_ >= 0 && t < due) {
    hideDue_ = due;
    hideTimer_.start(int((due - t) / plat::kUnitsPerMs));
    return;
  }
  hideDue_.reset();
  window_->dismiss(false);
}

void MuDialogTx::show(bool shown) {
  if (!shown) return hide();
  hideTimer_.stop();
  hideDue_.reset();
  relayout();
  adjustHeightToFitLayout();
  layoutChildren();
  placeUnlessPlaced();
  int f = getDialogFlags();
  if (f & CodeModal) {
    Guard self(this);
    std::shared_ptr<MuDialogTxWindow> window = window_;
    inModalLoop_ = true;
    window->showCodeModal();
    // An observer may have destroyed the dialog meanwhile; the window goes
    // with the last reference, here.
    if (!self.alive()) return;
    inModalLoop_ = false;
  } else {
    window_->show();
  }
  if ((f & Modal) && !(f & CodeModal)) tx::setModalWindow(window_.get());
}

void MuDialogTx::placeUnlessPlaced() {
  if (isPosSet()) return;
  TXWindow* owner = window_->getOwner();
  if (!owner) {
    window_->centerOnScreen();
    return;
  }
  plat::Point at = owner->getPosition();
  at.x += (owner->width() - window_->width()) / 2;
  at.y += (owner->height() - window_->height()) / 2;
  window_->setUSPosition(at, true);
}

bool MuDialogTx::isShown() const { return window_->isMapped(); }

void MuDialogTx::setSize(const plat::Point& size) {
  recordedSize_.reset();
  window_->setSize(size);
}

plat::Point MuDialogTx::getAbsolutePos() const { return window_->getPosition(); }

void MuDialogTx::setBgColour(const fb::Colour& colour) {
  window_->style().backgroundColour = colour;
}

void MuDialogTx::update() {
  relayout();
  MuDialog::update();
  layoutChildren();
}

void MuDialogTx::childAdded(MuElement* element) {
  MuDialog::childAdded(element);
  window_->getCanvas()->add(getWidget(element), nullptr);
  relayout();
}

void MuDialogTx::childRemoved(MuElement* element) {
  window_->getCanvas()->remove(getWidget(element));
  MuDialog::childRemoved(element);
  layoutChildren();
}

void MuDialogTx::destroyChildren() {
  // Last to first, as the model does; nothing is laid out on the way.
  while (MuElement* last = lookup(-1)) {
    window_->getCanvas()->remove(getWidget(last));
    MuDialog::childRemoved(last);
  }
}

void MuDialogTx::layoutChildren() {
  MuDialog::layoutChildren();
  if (dump_) dump_->laidOut();
}

void MuDialogTx::setMinSize(const plat::Point& size) { window_->setMinSize(size.x, size.y); }

void MuDialogTx::setTitle(const char* title) { window_->setWindowName(title); }

plat::Point MuDialogTx::getPrimaryDesktopSize() const {
  plat::Rect area = tx::getWorkAreaRect();
  return plat::Point(area.width(), area.height());
}

void MuDialogTx::onSetFocus(MuElement* element) {
  focusElement_ = element;
  focusGuard_.reset();
  if (element) focusGuard_.emplace(element);
}

bool MuDialogTx::windowKeyEvent(unsigned keysym, bool down, wvw::Widget*) {
  return !down && handleActionKeysym(keysym);
}

bool MuDialogTx::windowPtrPress(unsigned char button, wvw::Widget* w) {
  if (button != 0) return false;
  ClickCallback* click = getClickCallback();
  if (click && click->handleClick(this)) return true;
  MoveCallback* move = getMoveCallback();
  if (!move) return false;
  MuElement* pressed = findElement(this, w);
  if (!pressed) return false;
  plat::Point at = window_->lastPointer() - originInWindow(w);
  if (!move->shouldMoveDialog(this, pressed, at)) return false;
  plat::Point onScreen = window_->lastRootPointer();
  // The window manager takes the pointer from here on.
  XUngrabPointer(tx::dpy, CurrentTime);
  tx::sendWmClientMsg(window_->win(), tx::xa_NET_WM_MOVERESIZE(), unsigned(onScreen.x),
                      unsigned(onScreen.y), kMoveResizeMove, kButton1, kSourceApplication);
  return true;
}

void MuDialogTx::windowWidgetResized(wvw::Widget* w) {
  if (w == window_->getCanvas()) relayout();
}

void MuDialogTx::windowWidgetStarted(wvw::Widget* w) {
  if (focusGuard_ && focusGuard_->alive() && w == getWidget(focusElement_)) w->requestFocus();
}

void MuDialogTx::windowConfigured() {
  lastConfigureTime_ = now();
  if (!hideDue_) return;
  hideDue_ = lastConfigureTime_ + kHideDelayMs * plat::kUnitsPerMs;
  hideTimer_.start(kHideDelayMs);
}

void MuDialogTx::windowFocusOffered() { dispatchEvent(this, MuEventFocusOffered); }

void MuDialogTx::windowCloseRequested() {
  if (getDialogFlags() & DisableClose) return;
  Guard self(this);
  dispatchEvent(this, MuEventClosed);
  // An observer may have destroyed the dialog on hearing it closed.
  if (self.alive()) window_->dismiss(false);
}

void MuDialogTx::windowDestroyed() {
  // A put-off hide has no window left to hide.
  hideTimer_.stop();
  hideDue_.reset();
  dispatchEvent(this, MuEventWindowDestroyed);
}

void MuDialogTx::windowShowing() {
  int f = getDialogFlags();
  if (f & OverrideRedirect) XRaiseWindow(tx::dpy, window_->win());
  if (f & KeepAbove) tx::addWmState(window_.get(), tx::xa_NET_WM_STATE_ABOVE());
}

void MuDialogTx::windowTimersStopped() {
  if (!hideDue_ || hideTimer_.isStarted()) return;
  // What was left of the wait, counted from now; nothing when it is over.
  long long left = *hideDue_ - now();
  hideTimer_.start(left > 0 ? int(left / plat::kUnitsPerMs) : 0);
}

bool MuDialogTx::handleTimeout(plat::Timer* t) {
  if (t != &hideTimer_) return false;
  hideDue_.reset();
  window_->dismiss(false);
  return false;
}

MuDialog* muDialogTx(const char* id, const char* title, const plat::Point& size, int flags,
                     MuDialog* parentDialog, TXWindow* ownerWin) {
  return new MuDialogTx(id, title, size, flags, parentDialog, ownerWin);
}

}  // namespace mui
