#include "lib2/wvw/WText.h"

#include <cstring>

#include "lib1/plat/Log.h"
#include "lib1/plat/Utf8.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/FullFramePixelBuffer.h"
#include "lib2/fb/Keysym.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WParent.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

PLAT_LOG_WRITER(vlog, "WText");

namespace {

// The bytes of a character's encoding that start with lead.
int utf8Size(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

// The C library's classification follows the locale start-up installs, so
// the ASCII test is spelt out.
bool isAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

WText::WText(int maxLen, const char* text, bool editMenuEnabled)
    : Widget(nullptr), maxLen_(std::max(0, maxLen)), editMenuEnabled_(editMenuEnabled) {
  if (text) setText(text, true);
}

WText::~WText() = default;

bool WText::cutToMax(std::string* s, int max) {
  if ((int)s->size() <= max) return false;
  int keep = 0;
  while (keep < (int)s->size()) {
    int next = keep + utf8Size((unsigned char)(*s)[keep]);
    if (next > max) break;
    keep = next;
  }
  s->resize(keep);
  return true;
}

int WText::prevPos(int pos) const {
  const char* p = text_.c_str() + pos;
  plat::utf8Back1(&p, text_.c_str());
  return int(p - text_.c_str());
}

int WText::nextPos(int pos) const {
  if (pos >= (int)text_.size()) return pos;
  return std::min((int)text_.size(), pos + utf8Size((unsigned char)text_[pos]));
}

bool WText::isWordCharAt(int pos) const {
  unsigned char c = (unsigned char)text_[pos];
  return c > 127 || isAsciiAlnum(c);
}

void WText::setText(const char* text, bool cursorAtEnd) {
  text_ = text ? text : "";
  size_t given = text_.size();
  // A text given by the program is cut, as typing is, but never silently.
  if (cutToMax(&text_, maxLen_))
    vlog().error("text of %zu bytes cut to the field's %d", given, maxLen_);
  selLength_ = 0;
  cursor_ = cursorAtEnd ? (int)text_.size() : 0;
  invalidate();
  handleChanged(this);
}

void WText::setMaxLen(int n) {
  maxLen_ = std::max(0, n);
  size_t given = text_.size();
  if (!cutToMax(&text_, maxLen_)) return;
  vlog().error("text of %zu bytes cut to the field's %d", given, maxLen_);
  int len = (int)text_.size();
  int anchor = std::min(cursor_ + selLength_, len);
  cursor_ = std::min(cursor_, len);
  selLength_ = anchor - cursor_;
  invalidate();
}

void WText::select(int start, int end) {
  int pos = start, len = end < 0 ? -1 : end - start;
  plat::fixupUtf8Pos(text_.c_str(), &pos, &len);
  cursor_ = pos + len;
  selLength_ = -len;
  invalidate();
}

bool WText::replaceSel(const char* s, int ch) {
  int low = selLow(), high = selHigh();
  std::string inserted = s;
  if (cutToMax(&inserted, room()))
    vlog().error("inserted text of %zu bytes cut to the field's %d", std::strlen(s), maxLen_);
  std::string candidate = text_.substr(0, low) + inserted + text_.substr(high);
  if (filter && !filter->wtextFilter(this, candidate.c_str(), ch)) return false;
  text_ = std::move(candidate);
  selLength_ = 0;
  cursor_ = low + (int)inserted.size();
  invalidate();
  handleChanged(this);
  return true;
}

bool WText::setCursorPos(int pos, bool extend) {
  plat::fixupUtf8Pos(text_.c_str(), &pos, nullptr);
  if (extend) {
    selLength_ += cursor_ - pos;
  } else if (selLength_ != 0) {
    selLength_ = 0;
    invalidate();
  }
  if (pos == cursor_) return false;
  cursor_ = pos;
  invalidate();
  return true;
}

bool WText::leftOneChar(bool extend) {
  if (cursor_ == 0) return false;
  return setCursorPos(prevPos(cursor_), extend);
}

bool WText::rightOneChar(bool extend) {
  if (cursor_ >= (int)text_.size()) return false;
  return setCursorPos(nextPos(cursor_), extend);
}

bool WText::leftOneWord(bool extend) {
  int p = cursor_;
  if (p == 0) return false;
  do p = prevPos(p);
  while (p > 0 && !isWordCharAt(p));
  while (p > 0 && isWordCharAt(prevPos(p))) p = prevPos(p);
  return setCursorPos(p, extend);
}

bool WText::rightOneWord(bool extend) {
  int p = cursor_, len = (int)text_.size();
  while (p < len && !isWordCharAt(p)) p = nextPos(p);
  while (p < len && isWordCharAt(p)) p = nextPos(p);
  return setCursorPos(p, extend);
}

bool WText::deleteCharForward() {
  if (selLength_ == 0) {
    if (cursor_ >= (int)text_.size()) return false;
    selLength_ = nextPos(cursor_) - cursor_;
  }
  return replaceSel("", -1);
}

bool WText::deleteCharBackward() {
  if (selLength_ == 0) {
    if (cursor_ == 0) return false;
    setCursorPos(prevPos(cursor_), false);
  }
  if (deleteCharForward()) return true;
  rightOneChar(false);
  return false;
}

void WText::keyPress(unsigned int keysym) {
  bool shift = isShiftPressed(), ctrl = isCtrlPressed();
  switch (keysym) {
    case fb::keysym::Left:
    case fb::keysym::Right:
      if (selLength_ != 0 && !shift) {
        selLength_ = 0;
        invalidate();
      }
      if (keysym == fb::keysym::Left)
        ctrl ? leftOneWord(shift) : leftOneChar(shift);
      else
        ctrl ? rightOneWord(shift) : rightOneChar(shift);
      return;
    case fb::keysym::Home:
      setCursorPos(0, shift);
      return;
    case fb::keysym::End:
      setCursorPos((int)text_.size(), shift);
      return;
    case fb::keysym::BackSpace:
      deleteCharBackward();
      return;
    case fb::keysym::Delete:
      deleteCharForward();
      return;
    default:
      break;
  }
  if (isAltPressed()) return;
  if (ctrl) {
    if (keysym == 'a' || keysym == 'A') select(0, -1);
    return;
  }
  int c = (int)fb::keysymToUnicode(keysym);
  if (c < 32) return;
  char buf[8];
  char* end = buf;
  plat::writeUtf8(c, &end);
  *end = 0;
  // A character that does not fit is refused whole: the text stays as it is.
  if (end - buf > room()) {
    bell();
    return;
  }
  replaceSel(buf, c);
}

bool WText::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  bool consumed = Widget::handleKeyEvent(keysym, down, w);
  if (consumed || w != this) return consumed;
  std::vector<unsigned int> keys;
  if (deadKeys_.interpretDeadKeys(keysym, down, &keys)) {
    for (unsigned int k : keys) keyPress(k);
  } else if (down) {
    keyPress(keysym);
  }
  return true;
}

bool WText::handlePtrPress(unsigned char button, Widget* w) {
  if (w == this && button == 0) {
    dragging_ = true;
    setCursorPos(nearestPosToMouse(), isShiftPressed());
  }
  return Widget::handlePtrPress(button, w);
}

bool WText::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (w == this && dragging_) {
    pointerPos_ = pos;  // the base records it only after the handlers ran
    setCursorPos(nearestPosToMouse(), true);
  }
  return Widget::handlePtrMove(pos, w);
}

bool WText::handlePtrRelease(unsigned char button, Widget* w) {
  if (w == this) {
    dragging_ = false;
    if (button == 2 && editMenuEnabled_) {
      if (!editMenu_) editMenu_ = std::make_unique<WEditMenu>(this, Copy | Paste | SelectAll);
      editMenu_->show(pointerPos_, this);
    }
  }
  return Widget::handlePtrRelease(button, w);
}

bool WText::handlePtrLeave(Widget* w) {
  if (w == this) dragging_ = false;
  return Widget::handlePtrLeave(w);
}

bool WText::handleFocus(bool reverse, Widget* w) {
  if (w == this) {
    invalidate();
    if (isKeyPressed(fb::keysym::Tab)) select(0, -1);
  }
  return Widget::handleFocus(reverse, w);
}

bool WText::handleEnable(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleEnable(w);
}

bool WText::handleCopyText(Widget* w) {
  if (Widget::handleCopyText(w) || w != this || selLength_ == 0 || !parent_) return true;
  int low = selLow(), n = selHigh() - low;
  if (masked) {
    // A password must not reach the cut buffer, where any client can read it.
    vlog().debug("copy of %d bytes refused in a masked field", n);
    bell();
    return true;
  }
  std::string copied = text_.substr(low, n);
  vlog().debug("copy \"%s\"", copied.c_str());
  parent_->setCutText(copied.c_str());
  return true;
}

bool WText::handlePasteText(Widget* w) {
  if (Widget::handlePasteText(w) || w != this || !parent_) return true;
  const char* cut = parent_->getCutText();
  if (!cut || !plat::isValidUtf8(cut)) return true;
  if (masked)
    vlog().debug("paste of %d bytes", (int)std::strlen(cut));
  else
    vlog().debug("paste \"%s\"", cut);
  // In valid UTF-8 every byte below 0x80 is a character of its own, so the
  // control characters can be dropped byte by byte. Past the room left the
  // paste is refused anyway, so sanitising stops there.
  size_t free = size_t(room());
  std::string kept;
  for (const char* p = cut; *p && kept.size() <= free; p++) {
    unsigned char c = (unsigned char)*p;
    if (c >= 32 && c != 127) kept += *p;
  }
  if (kept.size() > free) {
    vlog().error("paste refused: it does not fit in the field's %d bytes", maxLen_);
    bell();
    return true;
  }
  replaceSel(kept.c_str(), -1);
  return true;
}

void WText::editCommand(int code) {
  switch (code) {
    case SelectAll:
      select(0, -1);
      requestFocus();
      break;
    case Copy:
      handleCopyText(this);
      break;
    case Paste:
      handlePasteText(this);
      break;
    default:
      break;
  }
}

}  // namespace wvw
