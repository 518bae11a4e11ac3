#include "lib2/mui/wvw/MuFrameWvw.h"

#include <algorithm>

#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/wvw/WPanel.h"

namespace mui {

namespace {

// The room a Titled frame's title takes above the child.
constexpr int kTitleOffset = 10;
constexpr int kBorder = 2;

}  // namespace

MuFrameWvw::MuFrameWvw(MuContainer* parent, const char* id, const char* label, Type type)
    : MuFrame(parent, id, label, type) {
  if (type == Titled) {
    frameWidget_ = std::make_unique<wvw::WPanel>(label);
    if (label) titleOffset_ = kTitleOffset;
  } else {
    auto bg = std::make_unique<wvw::WBgLayout>(type == Bordered);
    bg->lineBelow = type == Header;
    bg->lineAbove = type == Footer;
    background_ = bg.get();
    frameWidget_ = std::move(bg);
  }
  if (type == Titled || type == Bordered) border_ = plat::Point(kBorder, kBorder);
  frameWidget_->setInputHandler(this);
  setImpl(std::make_unique<MuCommonWvw>(frameWidget_.get()));
}

MuFrameWvw::~MuFrameWvw() { destroyChildren(); }

plat::Point MuFrameWvw::inset() const {
  plat::Point m = getMargin();
  return plat::Point(border_.x + m.x, border_.y + m.y);
}

int MuFrameWvw::getMinWidth(int height) const {
  plat::Point in = inset();
  MuElement* child = getChild();
  return 2 * in.x + (child ? child->getMinWidth(height - 2 * in.y) : 0);
}

int MuFrameWvw::getMinHeight(int width) const {
  plat::Point in = inset();
  MuElement* child = getChild();
  return titleOffset_ + 2 * in.y + (child ? child->getMinHeight(width - 2 * in.x) : 0);
}

void MuFrameWvw::layoutChildren() {
  MuElement* child = getChild();
  if (!child) return;
  plat::Point in = inset();
  plat::Point size = frameWidget_->getSize();
  child->setPos(plat::Point(in.x, in.y + titleOffset_));
  // A frame too small for its insets gives its child no room rather than a
  // negative size.
  child->setSize(
      plat::Point(std::max(0, size.x - 2 * in.x), std::max(0, size.y - 2 * in.y - titleOffset_)));
}

void MuFrameWvw::setBgColour(const fb::Colour& colour) {
  if (!background_) return;
  background_->background = colour;
  background_->fillBackground = true;
  background_->invalidate();
}

void MuFrameWvw::childAdded(MuElement* element) {
  // Adding the present child again changes nothing: its widget is listed.
  if (element && element == getChild()) return;
  // A child already there goes through childRemoved on the way.
  MuFrame::childAdded(element);
  frameWidget_->add(getWidget(element), nullptr);
  layoutChildren();
}

void MuFrameWvw::childRemoved(MuElement* element) {
  frameWidget_->remove(getWidget(element));
  MuFrame::childRemoved(element);
}

void MuFrameWvw::destroyChildren() {
  if (MuElement* child = getChild()) childRemoved(child);
}

bool MuFrameWvw::handleResize(wvw::Widget* w) {
  if (w == frameWidget_.get()) layoutChildren();
  return false;
}

MuFrame* muFrameWvw(MuContainer* parent, const char* id, const char* label, MuFrame::Type type) {
  return new MuFrameWvw(parent, id, label, type);
}

}  // namespace mui
