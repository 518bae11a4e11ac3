#include "tests/support/WidgetHost.h"

#include "lib2/fb/Draw.h"
#include "lib2/fb/RegionIterator.h"

namespace gwtest {

WidgetHost::WidgetHost(plat::Point size, plat::Point screenPos)
    : pb_(fb::PixelFormat::rgb888(), size, nullptr), screenPos_(screenPos) {}

WidgetHost::~WidgetHost() { unhost(); }

void WidgetHost::host(wvw::Widget* w) {
  unhost();
  widget_ = w;
  if (w->getSize() == plat::Point()) w->setSize(plat::Point(pb_.getWidth(), pb_.getHeight()));
  w->start(this, &topEvents);
}

void WidgetHost::unhost() {
  if (widget_ && widget_->isStarted()) widget_->stop();
  widget_ = nullptr;
}

void WidgetHost::focusWindow(bool focused) {
  focused_ = focused;
  if (widget_) widget_->handleFocus(false, widget_);
}

fb::ManagedPixelBuffer& WidgetHost::render() {
  // Magenta shows wherever the widget left a pixel unpainted.
  fb::fillRect(&pb_, pb_.getRect(), 0xFF00FF);
  if (widget_) widget_->render(&pb_);
  return pb_;
}

fb::Region WidgetHost::takeDirty() {
  fb::Region r = dirty_;
  dirty_.clear();
  return r;
}

std::string WidgetHost::dirtyText() {
  fb::Region r = takeDirty();
  fb::RegionIterator it(r);
  std::string text;
  for (fb::RgnRect b; it.next(&b);) {
    text += (text.empty() ? "" : " ") + std::to_string(b.x1) + "," + std::to_string(b.y1) + "-" +
            std::to_string(b.x2) + "," + std::to_string(b.y2);
  }
  return text;
}

void WidgetHost::pointer(plat::Point pos, int buttonMask) {
  if (widget_) widget_->pointerEvent(pos, buttonMask);
}

void WidgetHost::leave() {
  if (widget_) widget_->pointerLeave();
}

void WidgetHost::key(unsigned int keysym, bool down) {
  if (down)
    held_.insert(keysym);
  else
    held_.erase(keysym);
  if (widget_) widget_->keyEvent(keysym, down);
}

void WidgetHost::press(unsigned int keysym, std::vector<unsigned int> modifiers) {
  for (unsigned int m : modifiers) held_.insert(m);
  key(keysym, true);
  key(keysym, false);
  for (unsigned int m : modifiers) held_.erase(m);
}

void WidgetHost::invalidateChild(wvw::Widget*, const fb::Region& region) {
  dirty_.assign_union(dirty_, region);
}

bool WidgetHost::childHasFocus(const wvw::Widget* child) const {
  return focused_ && child == widget_;
}

wvw::WRoot* WidgetHost::getRoot(plat::Point* origin) {
  if (origin) *origin = screenPos_;
  return this;
}

void WidgetHost::showPopup(wvw::Widget*, bool show, bool grab, const plat::Point& pos) {
  popups.push_back(std::string(show ? "show" : "hide") + (grab ? " grab " : " ") +
                   std::to_string(pos.x) + "," + std::to_string(pos.y));
}

}  // namespace gwtest
