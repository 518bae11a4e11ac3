#include "lib2/wvw/WTooltip.h"

#include <algorithm>
#include <string>

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WRoot.h"

namespace wvw {

namespace {

std::string escapeCarets(const char* text) {
  std::string out;
  for (const char* p = text; *p; p++) {
    out += *p;
    if (*p == '^') out += '^';
  }
  return out;
}

}  // namespace

WTooltip::WTooltip(int maxWidth, plat::MarkUp::LinkCallback* cb)
    : WLayout(true),
      maxWidth_(maxWidth),
      style_(*WStyle::defaultStyle()),
      label_(cb, nullptr, plat::ALIGN_LEFT) {
  style_.backgroundColour = Background;
  label_.setStyle(&style_);
  add(&label_, nullptr);
  label_.setMultiLine(true);
}

void WTooltip::setMarkedUpText(const char* text) {
  label_.setLabel(text);
  resize();
}

void WTooltip::setText(const char* text) {
  if (!text) {
    setMarkedUpText(nullptr);
    return;
  }
  setMarkedUpText(escapeCarets(text).c_str());
}

// The title is escaped: a caret in it is text, not the start of a code.
void WTooltip::setText(const char* title, const char* text) {
  std::string marked;
  if (title) marked = "^b" + escapeCarets(title) + "^n\n";
  if (text) marked += text;
  setMarkedUpText(title || text ? marked.c_str() : nullptr);
}

void WTooltip::setMaxWidth(int maxWidth) {
  maxWidth_ = maxWidth;
  resize();
}

void WTooltip::resize() {
  label_.setSize(plat::Point(maxWidth_, label_.getMinHeight(maxWidth_)));
  label_.setSize(label_.getMinSize());
  setPos(&label_, plat::Point(2, 2));
  setSize(label_.getSize() + plat::Point(4, 4));
}

void WTooltip::setPosition(const plat::Point& p, Widget* w) {
  plat::Point offset;
  root_ = w->getRoot(&offset);
  position_ = offset + p;
  if (!root_) return;
  plat::Rect screen = root_->getRect();
  if (position_.x + size_.x > screen.width()) position_.x = offset.x - size_.x - 2;
  if (position_.y + size_.y > screen.height()) position_.y = offset.y - size_.y - 2;
  // Moving aside can overshoot the far edge for a wide tip near it; a tip
  // wider than the screen keeps its left edge on it.
  position_.x = std::max(0, std::min(position_.x, screen.width() - size_.x));
  position_.y = std::max(0, std::min(position_.y, screen.height() - size_.y));
}

void WTooltip::show() {
  if (!label_.getLabel() || !root_) return;
  root_->showPopup(this, true, false, position_);
}

void WTooltip::hide() {
  if (root_) root_->showPopup(this, false, false, plat::Point());
}

void WTooltip::render(fb::WritablePixelBuffer* pb) {
  fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(Background, pb));
  WLayout::render(pb);
  drawBoundingRect(pb, plat::Rect(plat::Point(), size_), false);
}

}  // namespace wvw
