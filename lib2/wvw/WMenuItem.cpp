#include "lib2/wvw/WMenuItem.h"

#include <cstring>
#include <memory>

#include "lib1/plat/Hotkey.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/DrawMask.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WMenu.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

namespace {

const unsigned char CheckMark[8] = {0x02, 0x06, 0x8E, 0xDC, 0xF8, 0x70, 0x20, 0x00};

// Bytes of the UTF-8 character starting at s, never past its end.
int charLength(const char* s) {
  unsigned char c = static_cast<unsigned char>(*s);
  int n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  int i = 1;
  while (i < n && s[i] != '\0') i++;
  return i;
}

}  // namespace

WMenuItem::WMenuItem(WMenu* menu, const char* text, bool checkable)
    : WButton(true), label_(nullptr, plat::ALIGN_LEFT), checkable_(checkable) {
  if (text) {
    label_.setPadding(2);
    setLabel(text);
    setChild(&label_);
    layout();
  }
  if (menu) menu->addItem(this, nullptr);
}

WMenuItem::~WMenuItem() {
  if (menu_) menu_->remItem(this);
}

bool WMenuItem::isSeparator() const {
  const char* t = label_.getLabel();
  return !t || !*t;
}

int WMenuItem::indent() const { return checkable_ || (menu_ && menu_->anyCheckable()) ? 10 : 0; }

void WMenuItem::relabel(const char* text) {
  label_.setLabel(text);
  label_.setSize(label_.getMinSize());
}

void WMenuItem::setLabel(const char* text) {
  size_t n = std::strlen(text);
  auto copy = std::make_unique<char[]>(n + 1);
  std::memcpy(copy.get(), text, n + 1);
  char* at = nullptr;
  hotkey_ = plat::processHotkeyText(copy.get(), &at);
  hotkeyIndex_ = at ? int(at - copy.get()) : -1;
  relabel(copy.get());
}

void WMenuItem::setLabel(const char* text, unsigned int hotkey) {
  relabel(text);
  hotkey_ = int(hotkey);
  // The underline place was found in an earlier text: it stays only while it
  // still starts a character of this one.
  int length = int(std::strlen(label_.getLabel() ? label_.getLabel() : ""));
  if (hotkeyIndex_ >= length || (hotkeyIndex_ >= 0 && (text[hotkeyIndex_] & 0xC0) == 0x80))
    hotkeyIndex_ = -1;
}

void WMenuItem::setCheckable(bool checkable) {
  if (checkable == checkable_) return;
  checkable_ = checkable;
  layout();
  if (menu_) menu_->updateAnyCheckable();
}

void WMenuItem::setChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  invalidate();
}

bool WMenuItem::acceptsFocus() const { return !isSeparator() && WButton::acceptsFocus(); }

void WMenuItem::layout() {
  if (!isSeparator()) setPos(&label_, plat::Point(indent(), 0));
}

plat::Point WMenuItem::getMinSize() const {
  if (isSeparator()) return plat::Point(2, 5);
  return label_.getMinSize() + plat::Point(indent() + 3, 2);
}

bool WMenuItem::handleResize(Widget* w) {
  if (w == this && !isSeparator()) label_.setSize(size_ - plat::Point(indent() + 3, 2));
  return WButton::handleResize(w);
}

bool WMenuItem::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (isSeparator()) return false;
  requestFocus();
  return WButton::handlePtrMove(pos, w);
}

bool WMenuItem::handleFocus(bool reverse, Widget* w) {
  if (isSeparator()) return false;
  if (hasFocus())
    setStyle(menu_ ? menu_->highlightStyle() : nullptr);
  else
    setStyle(nullptr);
  invalidate();
  return WButton::handleFocus(reverse, w);
}

void WMenuItem::render(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  int w = size_.x, h = size_.y;
  fb::fillRect(pb, plat::Rect(0, 0, w, h), toPixel(style->backgroundColour, pb));
  WLayout::render(pb);
  if (isSeparator()) {
    fb::drawLine(pb, plat::Point(1, 2), plat::Point(w - 1, 2), toPixel(style->bevelLowColour, pb));
    fb::drawLine(pb, plat::Point(1, 3), plat::Point(w - 1, 3), toPixel(style->bevelHighColour, pb));
    return;
  }
  if (checkable_ && checked_) {
    int y = (h - 8) / 2;
    fb::maskFill(pb, plat::Rect(1, y, 9, y + 8), toPixel(style->textColour, pb), CheckMark, 1, 0);
  }
  const char* text = label_.getLabel();
  if (hotkeyIndex_ < 0 || hotkeyIndex_ >= int(std::strlen(text))) return;
  gfxutil::Font* font = style->font;
  int x0 = indent() + 2;
  const char* letter = text + hotkeyIndex_;
  int left = x0 + font->textWidth(text, letter);
  int right = x0 + font->textWidth(text, letter + charLength(letter));
  fb::fillRect(pb, plat::Rect(left, font->height - 2, right, font->height - 1),
               toPixel(enabled_ ? style->textColour : style->textDisabledColour, pb));
}

}  // namespace wvw
