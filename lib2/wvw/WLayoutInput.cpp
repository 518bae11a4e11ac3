// Pointer routing, key forwarding and focus traversal of WLayout.
#include "lib2/wvw/WLayout.h"

namespace wvw {

namespace {

bool holds(const plat::Rect& r, const plat::Point& p) {
  return r.tl.x <= p.x && p.x < r.br.x && r.tl.y <= p.y && p.y < r.br.y;
}

}  // namespace

void WLayout::pointerEvent(const plat::Point& p, int buttons) {
  if (!routePointer_) {
    Widget::pointerEvent(p, buttons);
    return;
  }
  Widget* left = nullptr;
  Widget* entered = nullptr;
  if (buttons == 0) {
    // Releasing the last button ends the capture.
    left = pointerChild_;
    pointerChild_ = nullptr;
  }
  bool captured = pointerChild_ != nullptr;
  if (captured) left = entered = pointerChild_;
  plat::Point local;
  for (auto i = ws_.rbegin(); i != ws_.rend(); ++i) {
    Widget* w = i->widget;
    if (!w->isEnabled() || !w->isVisible()) continue;
    plat::Rect r(i->pos, i->pos + w->getSize());
    if (!left && holds(r, pointerPos_)) left = w;
    if (!entered && holds(r, p)) entered = w;
    if (w == entered) local = p - i->pos;
  }
  if (buttons != 0 && !captured) pointerChild_ = entered;
  // A child's handler may destroy this layout with its dialog (a click on
  // its OK button).
  Watch self(this);
  if (left && left != entered) left->pointerLeave();
  if (!self.alive()) return;
  if (entered)
    entered->pointerEvent(local, buttons);
  else
    Widget::pointerEvent(p, buttons);
  if (!self.alive()) return;
  buttonMask_ = (unsigned char)buttons;
  pointerPos_ = p;
}

void WLayout::pointerLeave() {
  if (routePointer_) {
    if (pointerChild_) {
      Widget* w = pointerChild_;
      pointerChild_ = nullptr;
      w->pointerLeave();
    } else {
      for (auto i = ws_.rbegin(); i != ws_.rend(); ++i) {
        Widget* w = i->widget;
        if (w->isEnabled() && holds(plat::Rect(i->pos, i->pos + w->getSize()), pointerPos_)) {
          w->pointerLeave();
          break;
        }
      }
    }
  }
  Widget::pointerLeave();
}

void WLayout::keyEvent(unsigned int keysym, bool down) {
  if (focusedChild_)
    focusedChild_->keyEvent(keysym, down);
  else
    handleKeyEvent(keysym, down, this);
}

bool WLayout::acceptsFocus() const {
  if (!Widget::acceptsFocus()) return false;
  for (const Entry& e : ws_)
    if (e.widget->acceptsFocus()) return true;
  return false;
}

bool WLayout::childHasFocus(const Widget* child) const {
  return focusedChild_ == child && hasFocus();
}

void WLayout::requestChildFocus(Widget* child) { setChildFocus(child, false); }

void WLayout::setChildFocus(Widget* child, bool reverse) {
  if (childHasFocus(child)) return;
  if (child && !child->acceptsFocus()) return;
  // Claim the path up to the window first, so the child hears its focus
  // arrive only once the whole chain is focused.
  if (child && parent_) parent_->requestChildFocus(this);
  // Claiming the path focuses this container, whose own focus handling may
  // have chosen child already; telling it again would report a focus change
  // that did not happen (twice: as the old and as the new child).
  if (child && focusedChild_ == child && childHasFocus(child)) return;
  Widget* old = focusedChild_;
  focusedChild_ = child;
  if (old) old->handleFocus(reverse, old);
  if (focusedChild_) focusedChild_->handleFocus(reverse, focusedChild_);
}

void WLayout::initFocus(bool reverse) {
  if (reverse) {
    for (auto i = ws_.rbegin(); i != ws_.rend(); ++i)
      if (i->widget->acceptsFocus()) return setChildFocus(i->widget, true);
  } else {
    for (const Entry& e : ws_)
      if (e.widget->acceptsFocus()) return setChildFocus(e.widget, false);
  }
}

bool WLayout::handleFocus(bool reverse, Widget* w) {
  if (w == this) {
    if (hasFocus()) {
      if (focusedChild_ && !focusedChild_->acceptsFocus()) focusNext();
      if (!focusedChild_) initFocus(reverse);
    } else if (focusedChild_) {
      setChildFocus(nullptr, reverse);
    }
  }
  return Widget::handleFocus(reverse, w);
}

bool WLayout::focusNext() {
  auto start = find(focusedChild_);
  if (!focusedChild_ || start == ws_.end()) return false;
  size_t n = ws_.size(), i = size_t(start - ws_.begin()), first = i;
  for (;;) {
    if (++i == n) {
      if (parent_ && parent_->focusNext()) return true;  // the focus left this container
      i = 0;
    }
    if (i == first) break;
    if (ws_[i].widget->acceptsFocus()) {
      setChildFocus(ws_[i].widget, false);
      return true;
    }
  }
  if (focusedChild_ && focusedChild_->acceptsFocus()) return false;
  setChildFocus(nullptr, false);
  return true;
}

bool WLayout::focusPrev() {
  auto start = find(focusedChild_);
  if (!focusedChild_ || start == ws_.end()) return false;
  size_t n = ws_.size(), i = size_t(start - ws_.begin()), first = i;
  for (;;) {
    if (i == 0) {
      if (parent_ && parent_->focusPrev()) return true;
      i = n;
    }
    if (--i == first) break;
    if (ws_[i].widget->acceptsFocus()) {
      setChildFocus(ws_[i].widget, true);
      return true;
    }
  }
  if (focusedChild_ && focusedChild_->acceptsFocus()) return false;
  setChildFocus(nullptr, false);
  return true;
}

}  // namespace wvw
