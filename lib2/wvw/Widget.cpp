#include "lib2/wvw/Widget.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/fb/Keysym.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WParent.h"

namespace wvw {

Widget::Widget(WLayout* layout) {
  if (layout) layout->add(this, nullptr);
}

Widget::~Widget() {
  // Containers do not own their children: one left behind here would keep a
  // dangling pointer in the container's lists.
  PLAT_ASSERT_MSG(!parentLayout_, "widget destroyed while still in a container");
  PLAT_ASSERT_MSG(!parent_, "widget destroyed while still started");
  for (Watch* w = watches_; w; w = w->next_) w->w_ = nullptr;
}

Widget::Watch::~Watch() {
  if (!w_) return;
  for (Watch** p = &w_->watches_; *p; p = &(*p)->next_) {
    if (*p == this) {
      *p = next_;
      return;
    }
  }
}

namespace {

// Every event goes to the own handler first, then to the one given at start.
template <typename... Params, typename... Args>
bool offer(WInputHandler* own, WInputHandler* fromStart, bool (WInputHandler::*event)(Params...),
           Args&&... args) {
  if (own && (own->*event)(args...)) return true;
  return fromStart && (fromStart->*event)(args...);
}

}  // namespace

bool Widget::handlePtrMove(const plat::Point& pos, Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handlePtrMove, pos, w);
}

bool Widget::handlePtrPress(unsigned char button, Widget* w) {
  if (button == 0 && w == this && acceptsFocus()) requestFocus();
  return offer(inputHandler_, parentHandler_, &WInputHandler::handlePtrPress, button, w);
}

bool Widget::handlePtrRelease(unsigned char button, Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handlePtrRelease, button, w);
}
bool Widget::handlePtrLeave(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handlePtrLeave, w);
}
bool Widget::handleFocus(bool reverse, Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleFocus, reverse, w);
}
bool Widget::handleClick(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleClick, w);
}
bool Widget::handleChanged(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleChanged, w);
}
bool Widget::handleVisible(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleVisible, w);
}
bool Widget::handleStart(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleStart, w);
}
bool Widget::handleStop(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleStop, w);
}
bool Widget::handleEnable(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleEnable, w);
}
bool Widget::handleResize(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleResize, w);
}
bool Widget::handlePasteText(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handlePasteText, w);
}
bool Widget::handleCopyText(Widget* w) {
  return offer(inputHandler_, parentHandler_, &WInputHandler::handleCopyText, w);
}

bool Widget::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (offer(inputHandler_, parentHandler_, &WInputHandler::handleKeyEvent, keysym, down, w))
    return true;
  if (w != this || !down) return false;
  switch (keysym) {
    case 'v':
    case 'V':
      if (!isCtrlPressed()) return false;
      if (!handlePasteText(this)) bell();
      return true;
    case 'c':
    case 'C':
      if (!isCtrlPressed()) return false;
      if (!handleCopyText(this)) bell();
      return true;
    case fb::keysym::Tab:
    case fb::keysym::Down:
    case fb::keysym::Up: {
      // A handler above may have stopped this widget (a dialog closing on
      // the key), so the parent is looked at again here.
      bool back = keysym == fb::keysym::Up || (keysym == fb::keysym::Tab && isShiftPressed());
      if (parent_) back ? parent_->focusPrev() : parent_->focusNext();
      return true;
    }
    default:
      return false;
  }
}

void Widget::styleChanged() { invalidate(); }

void Widget::start(WParent* parent, WInputHandler* handler) {
  parent_ = parent;
  parentHandler_ = handler;
  invalidate();
  handleStart(this);
}

void Widget::stop() {
  handleStop(this);
  parent_ = nullptr;
  parentHandler_ = nullptr;
}

void Widget::pointerEvent(const plat::Point& pos, int buttonMask) {
  // Any handler may destroy this widget with its dialog.
  Watch self(this);
  if (pos != pointerPos_) {
    handlePtrMove(pos, this);
    if (!self.alive()) return;
    pointerPos_ = pos;
  }
  unsigned char mask = (unsigned char)buttonMask;
  if (mask == buttonMask_) return;
  unsigned char changed = mask ^ buttonMask_;
  buttonMask_ = mask;
  for (unsigned char bit = 0; bit < 8; bit++) {
    if (!(changed & (1 << bit))) continue;
    if (mask & (1 << bit))
      handlePtrPress(bit, this);
    else
      handlePtrRelease(bit, this);
    if (!self.alive()) return;
  }
}

void Widget::pointerLeave() {
  handlePtrLeave(this);
  buttonMask_ = 0;
}

void Widget::keyEvent(unsigned int keysym, bool down) {
  handleKeyEvent(fb::normaliseKeysym(keysym), down, this);
}

void Widget::invalidate() { invalidate(fb::Region(fb::RgnRect(0, 0, size_.x, size_.y))); }

void Widget::invalidate(const fb::Region& region) {
  if (parent_ && visible_) parent_->invalidateChild(this, region);
}

void Widget::bell() {
  if (parent_ && visible_) parent_->bell();
}

void Widget::setSize(const plat::Point& size) {
  if (size == size_) return;
  plat::Rect dirty;
  for (const plat::Point& s : {size_, size}) {
    if (s.x < 1 || s.y < 1) continue;
    if (dirty.isEmpty()) {
      dirty = plat::Rect(plat::Point(), s);
    } else {
      dirty.br.x = std::max(dirty.br.x, s.x);
      dirty.br.y = std::max(dirty.br.y, s.y);
    }
  }
  size_ = size;
  if (!dirty.isEmpty()) invalidate(fb::Region(fb::RgnRect(dirty)));
  handleResize(this);
}

int Widget::getMinWidth(int) const { return getMinSize().x; }
int Widget::getMinHeight(int) const { return getMinSize().y; }

void Widget::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  invalidate();
  if (!visible_ && hasFocus()) parent_->focusNext();
  handleVisible(this);
}

bool Widget::acceptsFocus() const { return enabled_ && visible_; }

void Widget::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled_ && hasFocus()) parent_->focusNext();
  handleEnable(this);
}

void Widget::setInputHandler(WInputHandler* handler) { inputHandler_ = handler; }

bool Widget::isKeyPressed(unsigned int keysym) const {
  return parent_ && parent_->isKeyPressed(keysym);
}

// The assertions name the links as the failure messages have always named them.
void Widget::setPos(const plat::Point& pos) {
  WLayout* parentLayout = parentLayout_;
  PLAT_ASSERT(parentLayout);
  parentLayout->setPos(this, pos);
}

plat::Point Widget::getPos() const {
  WLayout* parentLayout = parentLayout_;
  PLAT_ASSERT(parentLayout);
  return parentLayout->getChildPos(const_cast<Widget*>(this));
}

WRoot* Widget::getRoot(plat::Point* origin) {
  if (parentLayout_) {
    WRoot* root = parentLayout_->getRoot(origin);
    if (origin) *origin += getPos();
    return root;
  }
  WParent* parent = parent_;
  PLAT_ASSERT(parent);
  return parent->getRoot(origin);
}

plat::Point Widget::mapPoint(const plat::Point& p, Widget* other) {
  plat::Point mine, theirs;
  WRoot* myRoot = getRoot(&mine);
  WRoot* theirRoot = other->getRoot(&theirs);
  PLAT_ASSERT(myRoot && myRoot == theirRoot);
  return p + mine - theirs;
}

plat::Rect Widget::expandRect(const plat::Rect& r, int n) {
  return plat::Rect(r.tl.x - n, r.tl.y - n, r.br.x + n, r.br.y + n);
}

bool Widget::hasFocus() const { return parent_ && parent_->childHasFocus(this); }

void Widget::requestFocus() {
  if (parent_) parent_->requestChildFocus(this);
}

bool Widget::isShiftPressed() const {
  return isKeyPressed(fb::keysym::Shift_L) || isKeyPressed(fb::keysym::Shift_R);
}
bool Widget::isCtrlPressed() const {
  return isKeyPressed(fb::keysym::Control_L) || isKeyPressed(fb::keysym::Control_R);
}
bool Widget::isAltPressed() const {
  return isKeyPressed(fb::keysym::Alt_L) || isKeyPressed(fb::keysym::Alt_R);
}

void Widget::setTipText(const char* text) { tipText_ = text; }

}  // namespace wvw
