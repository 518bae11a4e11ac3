#include "lib2/wvw/WLayout.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/fb/FullFramePixelBuffer.h"

namespace wvw {

namespace {

fb::Region regionOf(const plat::Rect& r) { return fb::Region(fb::RgnRect(r)); }

}  // namespace

WLayout::WLayout(bool routePointer) : Widget(nullptr), routePointer_(routePointer) {}

WLayout::~WLayout() {
  // The children are not ours, but each still points back at this container.
  PLAT_ASSERT_MSG(ws_.empty(), "container destroyed with %d children", int(ws_.size()));
}

std::vector<WLayout::Entry>::const_iterator WLayout::find(const Widget* w) const {
  return std::find_if(ws_.begin(), ws_.end(), [w](const Entry& e) { return e.widget == w; });
}

std::vector<WLayout::Entry>::iterator WLayout::find(const Widget* w) {
  return std::find_if(ws_.begin(), ws_.end(), [w](const Entry& e) { return e.widget == w; });
}

const WLayout::Entry& WLayout::entryOf(const Widget* w) const {
  const std::vector<Entry>& ws = ws_;  // the name the failure message gives
  auto i = find(w);
  PLAT_ASSERT(i != ws.end());
  return *i;
}

void WLayout::startChild(Widget* w) {
  startedChildren_.insert(w);
  w->start(this, this);
}

void WLayout::add(Widget* w, Widget* before) { add(w, plat::Point(), before); }

void WLayout::add(Widget* w, const plat::Point& pos, Widget* before) {
  ws_.insert(find(before), Entry{w, pos});
  w->parentLayout_ = this;
  if (isStarted()) startChild(w);
}

void WLayout::add(Widget* w, const plat::Rect& r, Widget* before) {
  add(w, r.tl, before);
  w->setSize(plat::Point(r.width(), r.height()));
}

void WLayout::remove(Widget* w) {
  if (w == focusedChild_) {
    if (!focusNext()) setChildFocus(nullptr, true);
    if (focusedChild_ == w) focusedChild_ = nullptr;
  }
  if (w == pointerChild_) pointerChild_ = nullptr;
  if (w->parentLayout_ == this) w->parentLayout_ = nullptr;
  auto i = find(w);
  if (i == ws_.end()) return;
  plat::Rect r(i->pos, i->pos + w->getSize());
  ws_.erase(i);
  if (!startedChildren_.erase(w)) return;
  w->stop();
  invalidate(regionOf(r));
}

void WLayout::moveChild(Widget* w, Widget* before) {
  const std::vector<Entry>& ws = ws_;
  auto i = find(w);
  PLAT_ASSERT(i != ws.end());
  if (w == before) return;
  Entry moved = *i;
  ws_.erase(i);
  ws_.insert(find(before), moved);
  // It is drawn at its new turn, above or below the siblings it overlaps.
  invalidate(regionOf(plat::Rect(moved.pos, moved.pos + w->getSize())));
}

void WLayout::setPos(Widget* w, const plat::Point& pos) {
  const std::vector<Entry>& ws = ws_;
  auto i = find(w);
  PLAT_ASSERT(i != ws.end());
  if (i->pos == pos) return;
  fb::Region dirty = regionOf(plat::Rect(i->pos, i->pos + w->getSize()));
  dirty.assign_union(dirty, regionOf(plat::Rect(pos, pos + w->getSize())));
  i->pos = pos;
  invalidate(dirty);
}

void WLayout::setPos(Widget* w, const plat::Rect& r) {
  setPos(w, r.tl);
  w->setSize(plat::Point(r.width(), r.height()));
}

plat::Point WLayout::getChildPos(Widget* w) const { return entryOf(w).pos; }

plat::Rect WLayout::getChildRect(Widget* w) const {
  plat::Point pos = entryOf(w).pos;
  return plat::Rect(pos, pos + w->getSize());
}

namespace {

// The union of the non-empty rectangles, or an empty one.
struct Extent {
  plat::Rect r;
  bool any = false;
  void add(const plat::Rect& c) {
    if (c.isEmpty()) return;
    if (!any) {
      r = c;
      any = true;
      return;
    }
    r = plat::Rect(std::min(r.tl.x, c.tl.x), std::min(r.tl.y, c.tl.y), std::max(r.br.x, c.br.x),
                   std::max(r.br.y, c.br.y));
  }
};

}  // namespace

plat::Point WLayout::getMinSize() const {
  Extent u;
  for (const Entry& e : ws_) u.add(plat::Rect(e.pos, e.pos + e.widget->getSize()));
  return u.any ? u.r.br : plat::Point();
}

void WLayout::resizeToFit(int margin) {
  Extent u;
  for (const Entry& e : ws_) u.add(plat::Rect(e.pos, e.pos + e.widget->getSize()));
  plat::Rect r = expandRect(u.r, margin);
  if (r.tl != plat::Point())
    for (Entry& e : ws_) e.pos -= r.tl;
  setSize(plat::Point(r.width(), r.height()));
}

void WLayout::start(WParent* parent, WInputHandler* handler) {
  Widget::start(parent, handler);
  for (const Entry& e : ws_) startChild(e.widget);
}

void WLayout::stop() {
  // In list order, so that what the children hear repeats run after run.
  for (const Entry& e : ws_)
    if (startedChildren_.erase(e.widget)) e.widget->stop();
  while (!startedChildren_.empty()) {
    Widget* w = *startedChildren_.begin();
    startedChildren_.erase(startedChildren_.begin());
    w->stop();
  }
  Widget::stop();
}

void WLayout::render(fb::WritablePixelBuffer* pb) {
  plat::Rect target = pb->getRect();
  for (const Entry& e : ws_) {
    if (!e.widget->isVisible()) continue;
    plat::Rect r(e.pos, e.pos + e.widget->getSize());
    plat::Rect clip(std::max(r.tl.x, target.tl.x), std::max(r.tl.y, target.tl.y),
                    std::min(r.br.x, target.br.x), std::min(r.br.y, target.br.y));
    if (clip.isEmpty()) continue;
    fb::FullFramePixelBuffer view(pb, r);
    e.widget->render(&view);
  }
}

void WLayout::styleChanged() {
  for (const Entry& e : ws_) e.widget->styleChanged();
}

void WLayout::invalidateChild(Widget* child, const fb::Region& region) {
  if (!parent_) return;
  auto i = find(child);
  if (i == ws_.end()) return;
  fb::Region moved(region);
  moved.translate(i->pos);
  invalidate(moved);
}

void WLayout::bell() {
  if (parent_) parent_->bell();
}

bool WLayout::isKeyPressed(unsigned int keysym) const {
  return parent_ && parent_->isKeyPressed(keysym);
}

const char* WLayout::getCutText() const { return parent_ ? parent_->getCutText() : nullptr; }

void WLayout::setCutText(const char* text) {
  if (parent_) parent_->setCutText(text);
}

const WStyle* WLayout::getWidgetStyle() const { return getStyle(); }

}  // namespace wvw
