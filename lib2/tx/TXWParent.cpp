#include "lib2/tx/TXWParent.h"

#include <X11/Xutil.h>

#include <algorithm>

#include "lib1/plat/Log.h"
#include "lib2/fb/FullFramePixelBuffer.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/fb/RegionIterator.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXWRoot.h"

PLAT_LOG_WRITER(vlog, "TXWParent");

namespace tx {

namespace {
constexpr int kRenderDelayMs = 10;
constexpr int kTipDelayMs = 500;
constexpr int kTipMaxWidth = 320;
// Below and right of the pointer, clear of the cursor's shape.
constexpr plat::Point kTipOffset(2, 16);
constexpr int kSyntheticShift = -1;
}  // namespace

TXWParent::TXWParent(wvw::Widget* child, TXWindow* parent, bool overrideRedirect)
    : TXWindow(1, 1, parent, 0, overrideRedirect), renderTimer_(this), tipTimer_(this) {
  setEventHandler(this);
  addEventMask(KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
               EnterWindowMask | LeaveWindowMask | PointerMotionMask | ExposureMask |
               StructureNotifyMask);
  // The server never clears exposed areas: they are all repainted from the image.
  XSetWindowBackgroundPixmap(dpy, win(), None);
  setChild(child);
}

TXWParent::~TXWParent() {
  // A tip still up would leave the root a popup hosting a freed tooltip.
  hideTip();
  if (isMapped()) show(false);
  // The old tree must not stay started with this host as its parent.
  if (child_ && child_->isStarted()) child_->stop();
  renderTimer_.stop();
  setEventHandler(nullptr);
}

void TXWParent::setChild(wvw::Widget* w) {
  if (w == child_) return;
  // A tree whose window is cleared must not stay started with this host as
  // its parent; the new one is started, and painted whole, while showing.
  bool showing = child_ && child_->isStarted();
  if (showing) {
    child_->stop();
    renderTimer_.stop();
    image_.reset();
  }
  child_ = w;
  if (!w) {
    show(false);
    return;
  }
  w->setEnabled(true);
  w->setVisible(true);
  if (!showing) return;
  startOrStop();
  invalidateChild(w, fb::Region(fb::RgnRect(image_->getRect())));
}

void TXWParent::forgetChild() {
  tipTimer_.stop();
  child_ = nullptr;
  renderTimer_.stop();
  image_.reset();
}

void TXWParent::show(bool visible) {
  if (visible && isToplevel() && !isOverrideRedirect()) {
    if (isMapped())
      setActiveWindow();
    else
      toplevelShow();
  } else if (visible) {
    map();
  } else {
    unmap();
  }
  startOrStop();
}

void TXWParent::resizeToFit() {
  if (child_) resize(child_->getSize());
}

void TXWParent::invalidateChild(wvw::Widget*, const fb::Region& r) {
  if (!image_) return;
  dirtyRegion_.assign_union(dirtyRegion_, r);
  // Later requests only grow the region: the deadline is not pushed back.
  if (!renderTimer_.isStarted()) renderTimer_.start(kRenderDelayMs);
}

void TXWParent::resumeRepaint() {
  if (image_ && dirtyRegion_.extents.x2 > dirtyRegion_.extents.x1 && !renderTimer_.isStarted())
    renderTimer_.start(kRenderDelayMs);
}

const char* TXWParent::getCutText() const {
  // Asking the owner is no change of this host, only a round trip.
  return const_cast<TXWParent*>(this)->getClipboard();
}

void TXWParent::bell() { XBell(dpy, 0); }

bool TXWParent::isKeyPressed(unsigned keysym) const {
  return std::any_of(keysDown_.begin(), keysDown_.end(),
                     [keysym](const auto& held) { return held.second == keysym; });
}

void TXWParent::resizeNotify() {
  if (child_ && child_->getSize() != size()) child_->setSize(size());
  if (image_) image_->setSize(size());
}

wvw::WRoot* TXWParent::getRoot(plat::Point* origin) {
  if (origin) *origin = getPosition();
  return TXWRoot::inst();
}

bool TXWParent::handleTimeout(plat::Timer* t) {
  if (t == &renderTimer_) renderDirty();
  if (t == &tipTimer_) showTip();
  return false;
}

bool TXWParent::handlePtrMove(const plat::Point& pos, wvw::Widget* w) {
  // Most widgets have no tip: placing one costs a round trip to the server,
  // which pointer motion should not pay for nothing.
  if (!w->getTipText()) {
    hideTip();
    return false;
  }
  if (!tooltip_) tooltip_ = std::make_unique<wvw::WTooltip>(kTipMaxWidth, nullptr);
  tooltip_->setText(w->getTipText());
  tooltip_->setPosition(pos + kTipOffset, w);
  tipTimer_.start(kTipDelayMs);
  return false;
}

bool TXWParent::handlePtrLeave(wvw::Widget*) {
  hideTip();
  return false;
}

void TXWParent::hideTip() {
  tipTimer_.stop();
  if (tooltip_) tooltip_->hide();
}

void TXWParent::startOrStop() {
  if (!child_ || child_->isStarted() == isMapped()) return;
  if (isMapped()) {
    child_->start(this, this);
    child_->handleFocus(false, child_);
    dirtyRegion_.clear();
    // Made after the start: the child's own first invalidation is dropped and
    // the picture comes from the Expose events of the mapping.
    image_ = std::make_unique<TXImage>(size());
  } else {
    // No tip may appear for a window that is not shown.
    hideTip();
    child_->stop();
    renderTimer_.stop();
    image_.reset();
  }
}

void TXWParent::renderDirty() {
  if (!image_) return;
  fb::Region area(fb::RgnRect(image_->getRect()));
  area.assign_intersect(area, dirtyRegion_);
  fb::RegionIterator it(area);
  fb::RgnRect r;
  while (it.next(&r)) renderAndPut(plat::Rect(r.x1, r.y1, r.x2, r.y2));
  dirtyRegion_.clear();
}

void TXWParent::renderAndPut(const plat::Rect& r) {
  fb::FullFramePixelBuffer view(image_.get(), r);
  view.setOffset(r.tl);
  child_->render(&view);
  image_->put(win(), defaultGC, r);
}

void TXWParent::handleEvent(TXWindow*, XEvent* ev) {
  switch (ev->type) {
    case KeyPress:
    case KeyRelease:
      keyEvent(ev);
      break;
    case ButtonPress:
    case ButtonRelease: {
      int mask = (ev->xbutton.state >> 8) & 31;
      int bit =
          ev->xbutton.button >= 1 && ev->xbutton.button <= 5 ? 1 << (ev->xbutton.button - 1) : 0;
      pointerEvent(ev, ev->type == ButtonPress ? mask | bit : mask & ~bit);
      break;
    }
    case MotionNotify:
      // Of motions queued back to back with the same buttons held, only the
      // newest is delivered. A motion behind any other event stays there:
      // taken out of turn it would overtake a press or release, and slip past
      // the modal filter, which only saw the first one.
      while (XEventsQueued(dpy, QueuedAlready) > 0) {
        XEvent next;
        XPeekEvent(dpy, &next);
        if (next.type != MotionNotify || next.xmotion.window != win() ||
            next.xmotion.state != ev->xmotion.state)
          break;
        XNextEvent(dpy, ev);
      }
      pointerEvent(ev, (ev->xmotion.state >> 8) & 31);
      break;
    case LeaveNotify:
      if (child_) child_->pointerLeave();
      break;
    case FocusOut: {
      Window id = win();
      while (!keysDown_.empty()) {
        keyEvent(keysDown_.begin()->first, keysDown_.begin()->second, false);
        // The release may click a button whose handler destroys the window.
        if (!windowStands(id, this)) return;
      }
      break;
    }
    case Expose:
    case GraphicsExpose: {
      if (!image_ || !child_) break;
      const XExposeEvent& e = ev->xexpose;  // GraphicsExpose shares the layout
      plat::Point limit(std::min(child_->getSize().x, image_->getWidth()),
                        std::min(child_->getSize().y, image_->getHeight()));
      plat::Rect r(std::max(e.x, 0), std::max(e.y, 0), std::min(e.x + e.width, limit.x),
                   std::min(e.y + e.height, limit.y));
      if (!r.isEmpty()) renderAndPut(r);
      break;
    }
    case UnmapNotify:
    case MapNotify:
      startOrStop();
      break;
    default:
      break;
  }
}

void TXWParent::pointerEvent(XEvent* ev, int buttonMask) {
  hideTip();
  if (child_) child_->pointerEvent(plat::Point(ev->xbutton.x, ev->xbutton.y), buttonMask);
}

void TXWParent::keyEvent(XEvent* ev) {
  hideTip();
  int keycode = ev->xkey.keycode;
  if (ev->type == KeyRelease) {
    // The keysym of a release is the one of its press, whatever the
    // modifiers are now; a release whose press we did not see is dropped.
    auto held = keysDown_.find(keycode);
    if (held != keysDown_.end()) keyEvent(keycode, held->second, false);
    return;
  }
  char buffer[256];
  KeySym keysym = NoSymbol;
  XLookupString(&ev->xkey, buffer, sizeof(buffer), &keysym, nullptr);
  if (keysym == fb::keysym::ISO_Left_Tab) {
    keysym = fb::keysym::Tab;
    // Shift+Tab is what ISO_Left_Tab means: without the Shift state the tree
    // would move the focus forward.
    // The tree asks isKeyPressed whether Shift is held, so the Shift it is
    // told of is held here too, under a keycode no key has.
    if (!(ev->xkey.state & ShiftMask) && child_) {
      keysDown_[kSyntheticShift] = fb::keysym::Shift_L;
      child_->keyEvent(fb::keysym::Shift_L, true);
      Window id = win();
      keyEvent(keycode, unsigned(keysym), true);
      if (!windowStands(id, this)) return;
      keysDown_.erase(kSyntheticShift);
      child_->keyEvent(fb::keysym::Shift_L, false);
      return;
    }
  }
  keyEvent(keycode, unsigned(keysym), true);
}

void TXWParent::keyEvent(int keycode, unsigned keysym, bool down) {
  vlog().debugplus("keycode %d keysym 0x%x down %d win 0x%lx", keycode, keysym, down ? 1 : 0,
                   win());
  if (down)
    keysDown_[keycode] = keysym;
  else
    keysDown_.erase(keycode);
  if (child_) child_->keyEvent(keysym, down);
}

}  // namespace tx
