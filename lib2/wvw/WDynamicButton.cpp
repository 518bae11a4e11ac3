#include "lib2/wvw/WDynamicButton.h"

#include <algorithm>

#include "lib1/plat/Assert.h"

namespace wvw {

namespace {

// Negative states wrap round to large ones and fail too.
void checkState(unsigned state) {
  constexpr unsigned NumStates = WDynamicButton::NumStates;
  PLAT_ASSERT_MSG(state < NumStates, "Unknown button state: %d", int(state));
}

}  // namespace

WDynamicButton::WDynamicButton(bool focusable) : WButton(focusable) {}

void WDynamicButton::setState(State state) {
  checkState(unsigned(state));
  if (state == state_) return;
  state_ = state;
  for (int i = 0; i < NumStates; i++)
    if (stateChildren_[i]) stateChildren_[i]->setVisible(i == state);
  if (stateChildren_[state]) return;
  Widget* fallBack = nullptr;
  if (state == Pressed)
    fallBack = stateChildren_[Hover] ? stateChildren_[Hover] : stateChildren_[Normal];
  if (state == Hover) fallBack = stateChildren_[Normal];
  if (fallBack) fallBack->setVisible(true);
}

void WDynamicButton::setChildForState(Widget* w, State state) {
  checkState(unsigned(state));
  if (stateChildren_[state]) remove(stateChildren_[state]);
  stateChildren_[state] = w;
  if (w) {
    add(w, nullptr);
    w->setVisible(state == state_);
  }
}

plat::Point WDynamicButton::getMinSize() const {
  plat::Point m;
  for (Widget* c : stateChildren_) {
    if (!c) continue;
    plat::Point s = c->getMinSize();
    m = plat::Point(std::max(m.x, s.x), std::max(m.y, s.y));
  }
  return m;
}

bool WDynamicButton::handleResize(Widget* w) {
  if (w == this)
    for (Widget* c : stateChildren_)
      if (c) c->setSize(size_);
  return Widget::handleResize(w);
}

bool WDynamicButton::handleEnable(Widget* w) {
  if (w == this)
    for (Widget* c : stateChildren_)
      if (c) c->setEnabled(enabled_);
  return Widget::handleEnable(w);
}

bool WDynamicButton::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (w == this && state_ == Normal) setState(Hover);
  return Widget::handlePtrMove(pos, w);
}

bool WDynamicButton::handlePtrLeave(Widget* w) {
  if (w == this && state_ != Normal) setState(Normal);
  return Widget::handlePtrLeave(w);
}

bool WDynamicButton::handlePtrPress(unsigned char button, Widget* w) {
  if (w == this && state_ != Pressed) setState(Pressed);
  return WButton::handlePtrPress(button, w);
}

bool WDynamicButton::handlePtrRelease(unsigned char button, Widget* w) {
  if (w == this && state_ == Pressed) setState(Hover);
  return WButton::handlePtrRelease(button, w);
}

}  // namespace wvw
