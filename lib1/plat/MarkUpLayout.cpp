#include "lib1/plat/MarkUpLayout.h"

#include <climits>

#include "lib1/plat/Exception.h"

namespace plat {
namespace MarkUp {

namespace {

// Positions stay ints; widths come from a callback, so sums saturate rather
// than wrap.
int addSat(int a, int b) {
  long long s = static_cast<long long>(a) + b;
  return s > INT_MAX ? INT_MAX : s < INT_MIN ? INT_MIN : int(s);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The next break point at or after p: a blank, a tab, a newline or the end.
// These are ASCII, and no byte of a multi-byte UTF-8 character is ASCII, so
// a byte scan finds the same places as a scan by characters.
const char* nextBreak(const char* p) {
  while (*p && *p != ' ' && *p != '\t' && *p != '\n') p++;
  return p;
}

}  // namespace

Layout::Layout(Callback* cb, int width) : cb_(cb), maxWidth_(width > 0 ? width : INT_MAX) {}

void Layout::newLine(int h) {
  pos_.x = margin_;
  pos_.y = addSat(pos_.y, h);
}

void Layout::place(const char* begin, const char* end, int w, int h) {
  Rect r(pos_.x, pos_.y, addSat(pos_.x, w), addSat(pos_.y, h));
  cb_->addItem(begin, end, r);
  pos_.x = r.br.x;
  if (r.br.x > extent_.x) extent_.x = r.br.x;
  if (r.br.y > extent_.y) extent_.y = r.br.y;
}

void Layout::markUpItem(const char* text, Font font, int link, bool halfLine) {
  cb_->setFontAndLinkId(link ? FontUnderline : font, link);
  int h = cb_->getFontHeight();
  if (halfLine) h /= 2;

  const char* seg = text;           // start of the segment being measured
  const char* lastBreak = nullptr;  // its last break point that fitted
  int lastW = 0;
  const char* p = seg;
  for (;;) {
    const char* q = nextBreak(p);
    int w = cb_->getTextWidth(seg, q);
    if (static_cast<long long>(pos_.x) + w > maxWidth_) {
      if (lastBreak) {
        // Wrap at the earlier blank; the blanks themselves are not placed.
        place(seg, lastBreak, lastW, h);
        newLine(h);
        seg = lastBreak;
        while (isBlank(*seg)) seg++;
        lastBreak = nullptr;
        p = seg;
        continue;
      }
      // A word too wide for the rest of the line starts a new one, where it
      // may still overflow: it is placed alone.
      if (pos_.x != margin_) newLine(h);
    }
    lastBreak = q;
    lastW = w;
    if (*q == '\n') {
      place(seg, q, w, h);
      newLine(h);
      // The segment after a newline is placed even when empty, so that the
      // extent covers the line the newline began.
      seg = p = q + 1;
      lastBreak = nullptr;
      continue;
    }
    if (!*q) {
      place(seg, q, w, h);
      return;
    }
    p = q + 1;
  }
}

void Layout::markUpMarginOp(char op) {
  switch (op) {
    case '+':
      margin_ = addSat(margin_, 6);
      pos_.x = addSat(pos_.x, 6);
      break;
    case '-':
      margin_ = addSat(margin_, -6);
      pos_.x = addSat(pos_.x, -6);
      break;
    case '0':
      margin_ = pos_.x = 0;
      break;
    case '@':
      margin_ = pos_.x;
      break;
    default:
      throw ExceptionFmt("Bad margin operator: %c", op);
  }
}

}  // namespace MarkUp
}  // namespace plat
