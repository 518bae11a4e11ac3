#include "lib2/gfxutil/Font.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "lib1/plat/SplitterInPlace.h"
#include "lib1/plat/Utf8.h"

namespace gfxutil {

namespace {

const char kEllipsis[] = "...";

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

// The next code point of the text at *p, advancing *p past it; 0 (with *p
// unmoved) when the text has ended. An invalid sequence gives -1.
int nextChar(const char** p, const char* end) {
  const char* s = *p;
  if ((end && s >= end) || *s == 0) return 0;
  unsigned char lead = static_cast<unsigned char>(*s++);
  int c = lead;
  if (lead >= 0x80) {
    int maxLen = end ? int(std::min<long>(4, end - *p)) : 4;
    c = plat::readUtf8NonAscii(lead, &s, maxLen);
  }
  *p = s;
  return c;
}

}  // namespace

Font::~Font() = default;

void Font::drawText(fb::WritablePixelBuffer* pb, const char* text, const plat::Point& pos,
                    unsigned int colour, const char* end) {
  plat::Point pen = pos;
  for (const char* p = text;;) {
    int c = nextChar(&p, end);
    if (c == 0) break;
    drawChar(pb, c, pen, colour);
    pen.x += charWidth(c);
  }
}

void Font::drawTextTrunc(fb::WritablePixelBuffer* pb, const char* text, const plat::Rect& rect,
                         unsigned int colour, plat::Alignment hAlign, plat::Alignment vAlign,
                         bool ellipsis, const char* end) {
  plat::Point size(textWidth(text, end), height);
  int available = rect.width();
  std::unique_ptr<char[]> shortened;
  if (size.x > available) {
    if (ellipsis) available -= textWidth(kEllipsis);
    const char* cut = fitWidthEnd(text, available, end);
    if (ellipsis) {
      if (cut == text) return;
      size_t n = cut - text;
      shortened.reset(new char[n + sizeof(kEllipsis)]);
      memcpy(shortened.get(), text, n);
      memcpy(shortened.get() + n, kEllipsis, sizeof(kEllipsis));
      text = shortened.get();
      end = nullptr;
    } else {
      end = cut;
    }
    size.x = textWidth(text, end);
  }
  plat::Point pen = rect.tl + plat::Point((rect.width() - size.x) * int(hAlign) / 2,
                                          (rect.height() - size.y) * int(vAlign) / 2);
  drawText(pb, text, pen, colour, end);
}

int Font::textWidth(const char* text, const char* end) {
  int width = 0;
  for (const char* p = text;;) {
    int c = nextChar(&p, end);
    if (c == 0) return width;
    width += charWidth(c);
  }
}

const char* Font::fitWidthEnd(const char* text, int width, const char* end) {
  if (width < 0) return text;
  int remaining = width;
  const char* p = text;
  for (;;) {
    const char* start = p;
    int c = nextChar(&p, end);
    if (c == 0) return start;
    remaining -= charWidth(c);
    if (remaining < 0) return start;
  }
}

const void* Font::getBitmap(int) { return nullptr; }

const char* Font::pixelPosToChar(int x, const char* text, const char* end) {
  const char* last = text;
  const char* p = text;
  for (;;) {
    const char* start = p;
    int c = nextChar(&p, end);
    if (c == 0) return (end && start >= end) ? last : start;
    int w = charWidth(c);
    if (x < w) return x <= w / 2 ? start : p;
    x -= w;
    last = start;
  }
}

int Font::wrap(const char* text, int width, std::vector<plat::String>* lines) {
  std::unique_ptr<char[]> copy(new char[strlen(text) + 1]);
  strcpy(copy.get(), text);
  plat::SplitterInPlace splitter(copy.get());
  int widest = 0;
  while (char* piece = splitter.next('\n')) {
    const char* lineStart = piece;
    const char* breakPos = nullptr;
    int lineWidth = 0;
    for (const char* p = piece;;) {
      if (*p == 0) {
        widest = std::max(widest, lineWidth);
        lines->push_back(plat::String(lineStart, int(p - lineStart)));
        break;
      }
      if (isBlank(*p)) {
        widest = std::max(widest, lineWidth);
        breakPos = p;
      }
      lineWidth += charWidth(nextChar(&p, nullptr));
      if (width > 0 && lineWidth > width && breakPos) {
        lines->push_back(plat::String(lineStart, int(breakPos - lineStart)));
        p = breakPos;
        while (isBlank(*p)) p++;
        lineStart = p;
        lineWidth = 0;
        breakPos = nullptr;
      }
    }
  }
  return widest;
}

}  // namespace gfxutil
