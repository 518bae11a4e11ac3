#include "lib2/wvw/WLabel.h"

#include <algorithm>
#include <cstring>

#include "lib1/plat/Hotkey.h"
#include "lib2/fb/Draw.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WParent.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

WLabel::WLabel(const char* text, plat::Alignment hAlign) : Widget(nullptr), hAlign_(hAlign) {
  setLabel(text);
}

WLabel::~WLabel() = default;

gfxutil::Font* WLabel::font() const { return getStyle()->font; }

void WLabel::setLabel(const char* text) {
  if (plat::String::equal(label_.get(), text)) return;
  label_ = text;
  wrap();
  invalidate();
}

void WLabel::processHotkeyText() {
  if (label_.isNull()) return;
  plat::processHotkeyText(label_.data(), nullptr);
  wrap();
  invalidate();
}

void WLabel::setAlignment(plat::Alignment h, plat::Alignment v) {
  hAlign_ = h;
  vAlign_ = v;
  invalidate();
}

void WLabel::setPadding(int padding) {
  padding_ = padding;
  wrap();
  invalidate();
}

void WLabel::setMultiLine(bool multiLine) {
  multiLine_ = multiLine;
  wrap();
  invalidate();
}

void WLabel::setTransparent(bool transparent) {
  transparent_ = transparent;
  invalidate();
}

void WLabel::setUnderlined(bool underlined) {
  underlined_ = underlined;
  invalidate();
}

void WLabel::setSelectable(bool selectable) {
  selectable_ = selectable;
  invalidate();
}

void WLabel::selectAll() {
  if (!selectable_) return;
  selStart_ = 0;
  selLength_ = textLength_;
  requestFocus();
  invalidate();
}

void WLabel::getSelectionLimits(int& low, int& high) const {
  low = selLength_ < 1 ? selStart_ + selLength_ : selStart_;
  high = selLength_ < 1 ? selStart_ : selStart_ + selLength_;
}

bool WLabel::selectionOverlaps(int offset, int end) const {
  if (selLength_ == 0) return false;
  int low, high;
  getSelectionLimits(low, high);
  return low < end && high > offset;
}

void WLabel::editCommand(int code) {
  if (code == CommandSelectAll)
    selectAll();
  else if (code == CommandCopy)
    handleCopyText(this);
}

bool WLabel::acceptsFocus() const { return selectable_ && enabled_ && visible_; }

void WLabel::wrap() {
  lines_.clear();
  textLength_ = 0;
  if (label_.isNull()) return;
  if (multiLine_)
    font()->wrap(label_.get(), size_.x - 2 * padding_, &lines_);
  else
    lines_.emplace_back(label_.get());
  for (const plat::String& line : lines_) textLength_ += line.length();
}

plat::Point WLabel::getTextPos(int line) const {
  plat::Point p(padding_, padding_);
  if (vAlign_ != plat::ALIGN_TOP) {
    int minHeight = getMinSize().y;
    p.y =
        vAlign_ == plat::ALIGN_CENTRE ? (size_.y - minHeight) / 2 : size_.y - minHeight - padding_;
  }
  if (line < 0) return p;
  p.y += line * font()->height;
  if (line < getLineCount() && hAlign_ != plat::ALIGN_LEFT) {
    int w = font()->textWidth(getLine(line));
    p.x = hAlign_ == plat::ALIGN_CENTRE ? (size_.x - w) / 2 : size_.x - w - padding_;
  }
  return p;
}

void WLabel::render(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  gfxutil::Font* f = style->font;
  if (!transparent_)
    fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(style->backgroundColour, pb));
  int low, high;
  getSelectionLimits(low, high);
  unsigned text = toPixel(enabled_ ? style->textColour : style->textDisabledColour, pb);
  bool focused = hasFocus();
  int offset = 0;
  for (int i = 0; i < getLineCount(); i++) {
    const char* s = getLine(i);
    int len = int(strlen(s));
    plat::Point p = getTextPos(i);
    if (focused && selectionOverlaps(offset, offset + len)) {
      drawSelectedRun(pb, f, s, len, p, offset, low, high, text, f->height);
    } else {
      f->drawText(pb, s, p, text);
      if (underlined_) {
        int y = p.y + f->height - 2;
        fb::fillRect(pb, plat::Rect(p.x, y, p.x + f->textWidth(s), y + 1), text);
      }
    }
    offset += len;
  }
}

void WLabel::drawSelectedRun(fb::WritablePixelBuffer* pb, gfxutil::Font* f, const char* s, int len,
                             plat::Point p, int offset, int low, int high, unsigned colour,
                             int bandHeight) {
  const WStyle* style = getStyle();
  const char* from = s + std::max(low - offset, 0);
  const char* to = s + std::min(high - offset, len);
  f->drawText(pb, s, p, colour, from);
  p.x += f->textWidth(s, from);
  int w = f->textWidth(from, to);
  fb::fillRect(pb, plat::Rect(p.x, p.y, p.x + w, p.y + bandHeight),
               toPixel(style->highlightColour, pb));
  f->drawText(pb, from, p, toPixel(style->highlightTextColour, pb), to);
  f->drawText(pb, to, plat::Point(p.x + w, p.y), colour);
}

plat::Point WLabel::getMinSize() const {
  int widest = 0;
  for (const plat::String& line : lines_) widest = std::max(widest, font()->textWidth(line.get()));
  return plat::Point(widest + 2 * padding_, getLineCount() * font()->height);
}

int WLabel::getMinHeight(int width) const {
  if (!multiLine_) return font()->height;
  if (label_.isNull()) return 0;
  std::vector<plat::String> scratch;
  font()->wrap(label_.get(), width - 2 * padding_, &scratch);
  return int(scratch.size()) * font()->height;
}

int WLabel::getMinWidth(int) const {
  if (lines_.empty()) return 0;
  int total = (getLineCount() - 1) * font()->textWidth(" ");
  for (const plat::String& line : lines_) total += font()->textWidth(line.get());
  return total;
}

int WLabel::nearestTextPos(const plat::Point& p) {
  int offset = 0;
  for (int i = 0; i < getLineCount(); i++) {
    plat::Point at = getTextPos(i);
    const char* s = getLine(i);
    if (p.y < at.y) return 0;
    if (p.y < at.y + font()->height) return offset + int(font()->pixelPosToChar(p.x - at.x, s) - s);
    offset += int(strlen(s));
  }
  return textLength_;
}

bool WLabel::handlePtrPress(unsigned char button, Widget* w) {
  if (selectable_ && w == this && button == 0) {
    selStart_ = nearestTextPos(pointerPos_);
    selLength_ = 0;
    selecting_ = true;
    invalidate();
  }
  return Widget::handlePtrPress(button, w);
}

bool WLabel::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (selectable_ && w == this && selecting_) {
    if (buttonMask_ != 0)
      selLength_ = nearestTextPos(pos) - selStart_;
    else
      selecting_ = false;
    invalidate();
  }
  return Widget::handlePtrMove(pos, w);
}

bool WLabel::handlePtrRelease(unsigned char button, Widget* w) {
  if (selectable_ && w == this) {
    selecting_ = false;
    invalidate();
    if (button == 2) {
      if (!editMenu_) editMenu_ = std::make_unique<WEditMenu>(this, CommandCopy | CommandSelectAll);
      editMenu_->show(pointerPos_, this);
    }
  }
  return Widget::handlePtrRelease(button, w);
}

bool WLabel::handleFocus(bool reverse, Widget* w) {
  if (w == this) invalidate();
  return Widget::handleFocus(reverse, w);
}

bool WLabel::handleEnable(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleEnable(w);
}

bool WLabel::handleResize(Widget* w) {
  if (w == this) wrap();
  return Widget::handleResize(w);
}

void WLabel::copyOut(const std::string& text) {
  if (!text.empty() && parent_) parent_->setCutText(text.c_str());
}

bool WLabel::handleCopyText(Widget* w) {
  if (Widget::handleCopyText(w) || !selectable_) return true;
  int low, high;
  getSelectionLimits(low, high);
  std::string copied;
  int offset = 0;
  for (int i = 0; i < getLineCount(); i++) {
    const char* s = getLine(i);
    int len = int(strlen(s));
    if (selectionOverlaps(offset, offset + len)) {
      if (!copied.empty()) copied += '\n';
      copied.append(s + std::max(low - offset, 0), s + std::min(high - offset, len));
    }
    offset += len;
  }
  copyOut(copied);
  return true;
}

}  // namespace wvw
