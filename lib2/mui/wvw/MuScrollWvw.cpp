#include "lib2/mui/wvw/MuScrollWvw.h"

#include <algorithm>
#include <memory>

#include "lib2/mui/wvw/MuCommonWvw.h"

namespace mui {

namespace {

// A scroll bar's thickness.
constexpr int kBar = 16;
// What the view leaves of the container on each axis.
constexpr int kViewShrink = 4;
// "As long as it likes", when asking a child's minimum across a scrolling
// axis.
constexpr int kUnlimited = 99999;

plat::Point atLeastZero(plat::Point p) { return plat::Point(std::max(p.x, 0), std::max(p.y, 0)); }

}  // namespace

MuScrollWvw::MuScrollWvw(MuContainer* parent, const char* id, int style)
    : MuScroll(parent, id, style), background_(bool(style & Border)) {
  background_.setInputHandler(this);
  view_.setChild(&content_);
  background_.add(&view_, style & Border ? plat::Point(2, 2) : plat::Point(), nullptr);
  setImpl(std::make_unique<MuCommonWvw>(&background_));
}

MuScrollWvw::~MuScrollWvw() { destroyChildren(); }

int MuScrollWvw::getMinWidth(int height) const {
  plat::Point in = inset();
  int w = 2 * in.x;
  int a = height - 2 * in.y;
  if (getStyle() & ReserveBar) w += kBar, a = kUnlimited;
  MuElement* child = getChild();
  return w + (child ? child->getMinWidth(a) : 0);
}

int MuScrollWvw::getMinHeight(int width) const {
  plat::Point in = inset();
  int h = 2 * in.y;
  int a = width - 2 * in.x;
  if (getStyle() & Horizontal) h += kBar, a = kUnlimited;
  MuElement* child = getChild();
  return h + (child ? child->getMinHeight(a) : 0);
}

void MuScrollWvw::layoutChildren() {
  MuElement* child = getChild();
  if (!child) return;
  plat::Point in = inset();
  plat::Point viewSize = atLeastZero(background_.getSize() - plat::Point(kViewShrink, kViewShrink));
  view_.setSize(viewSize);
  plat::Point avail = atLeastZero(viewSize - plat::Point(2 * in.x, 2 * in.y));
  if (getStyle() & Horizontal) {
    int w = child->getMinWidth(avail.y);
    if (w + 2 * in.x > viewSize.x) {
      avail.y = std::max(avail.y - kBar, 0);
      w = child->getMinWidth(avail.y);
    }
    avail.x = std::max(w, 0);
  } else {
    int h = child->getMinHeight(avail.x);
    if (h + 2 * in.y > viewSize.y) {
      avail.x = std::max(avail.x - kBar, 0);
      h = child->getMinHeight(avail.x);
    }
    avail.y = std::max(h, 0);
  }
  content_.setSize(avail + plat::Point(2 * in.x, 2 * in.y));
  child->setPos(in);
  child->setSize(avail);
  // The view hears of the content's new size only while it is started.
  view_.updateScrollBars();
}

void MuScrollWvw::setBgColour(const fb::Colour& colour) {
  background_.background = colour;
  background_.fillBackground = true;
  background_.invalidate();
}

void MuScrollWvw::childAdded(MuElement* element) {
  // Adding the present child again changes nothing: its widget is listed.
  if (element && element == getChild()) return;
  // A child already there goes through childRemoved on the way.
  MuScroll::childAdded(element);
  content_.add(getWidget(element), nullptr);
  layoutChildren();
}

void MuScrollWvw::childRemoved(MuElement* element) {
  // Anything but the child is the single container's broken invariant, and
  // its widget is left where it is.
  if (element && element == getChild()) content_.remove(getWidget(element));
  MuScroll::childRemoved(element);
}

void MuScrollWvw::destroyChildren() {
  if (MuElement* child = getChild()) childRemoved(child);
}

bool MuScrollWvw::handleResize(wvw::Widget* w) {
  if (w == &background_) layoutChildren();
  return false;
}

MuScroll* muScrollWvw(MuContainer* parent, const char* id, int style) {
  return new MuScrollWvw(parent, id, style);
}

}  // namespace mui
