#include "lib2/ui/unix/TXAutoHider.h"

#include "lib1/plat/Assert.h"
#include "lib2/tx/TXDisplay.h"

namespace ui {

namespace {
constexpr long kCrossing = EnterWindowMask | LeaveWindowMask;
}

TXAutoHider::TXAutoHider(Edge edge, int visible, Callback* callback)
    : AutoHider(edge, visible, callback) {
  widget_ = this;
}

TXAutoHider::~TXAutoHider() {
  detachParent();
  if (win_) win_->setEventHandler(prevWinHandler_);
}

void TXAutoHider::setWindow(TXWindow* window) {
  win_ = window;
  PLAT_ASSERT(win_);
  prevWinHandler_ = win_->setEventHandler(this);
  win_->addEventMask(kCrossing);
}

void TXAutoHider::detachParent() {
  if (!parent_) return;
  parent_->setEventHandler(prevParentHandler_);
  if (addedParentMask_) parent_->removeEventMask(addedParentMask_);
  parent_ = nullptr;
}

void TXAutoHider::attachToParent(TXWindow* parent) {
  PLAT_ASSERT(parent);
  // Without the window there is nothing to reparent or to place.
  PLAT_ASSERT_MSG(win_, "attachToParent before setWindow");
  if (parent == parent_) return;
  detachParent();
  parent_ = parent;
  XReparentWindow(tx::dpy, win_->win(), parent_->win(), 0, 0);
  prevParentHandler_ = parent_->setEventHandler(this);
  addedParentMask_ = kCrossing & ~parent_->eventMask();
  parent_->addEventMask(kCrossing);
  reposition();
}

void TXAutoHider::handleEvent(TXWindow* window, XEvent* ev) {
  if (window && window == win_) {
    if (ev->type == EnterNotify) {
      show(true, -1);
    } else if (ev->type == LeaveNotify && parent_) {
      // Leaving across the parent's outer border, towards the screen edge,
      // keeps the window out. So does a Leave with the pointer still on the
      // window: a grab (a popup of the window's own, say) took the pointer
      // away without its moving.
      const XCrossingEvent& c = ev->xcrossing;
      plat::Point s = win_->size(), p = parent_->size();
      bool onWindow = c.x >= 0 && c.x < s.x && c.y >= 0 && c.y < s.y;
      int x = position_.x + c.x, y = position_.y + c.y;
      if (!onWindow && x >= 0 && x < p.x && y >= 0 && y < p.y) show(false, -1);
    }
    if (prevWinHandler_) prevWinHandler_->handleEvent(window, ev);
  } else if (window && window == parent_) {
    if (ev->type == EnterNotify && ev->xcrossing.subwindow != win_->win() && !isPreviewing())
      show(false, -1);
    if (prevParentHandler_) prevParentHandler_->handleEvent(window, ev);
  }
}

void TXAutoHider::move(const plat::Point& pos) {
  position_ = pos;
  XMoveWindow(tx::dpy, win_->win(), pos.x, pos.y);
}

plat::Point TXAutoHider::size() {
  PLAT_ASSERT(win_);
  return win_->size();
}

plat::Point TXAutoHider::parentSize() {
  // Before the first attach the window is placed against nothing.
  return parent_ ? parent_->size() : win_->size();
}

}  // namespace ui
