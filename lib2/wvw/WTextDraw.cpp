// The measuring, pointer mapping and drawing half of WText: in masked mode
// every character counts as one "*".
#include <cstring>

#include "lib1/plat/Utf8.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/FullFramePixelBuffer.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WStyle.h"
#include "lib2/wvw/WText.h"

namespace wvw {

namespace {

// Characters in [from, to) (to null: up to the terminating zero).
int countChars(const char* from, const char* to) {
  int n = 0;
  for (const char* p = from; (to ? p < to : true) && *p; p++)
    if (((unsigned char)*p & 0xC0) != 0x80) n++;
  return n;
}

// The pointer just behind n characters from from.
const char* skipChars(const char* from, int n, const char* to) {
  const char* p = from;
  while (n > 0 && (to ? p < to : true) && *p) {
    p++;
    while (((unsigned char)*p & 0xC0) == 0x80) p++;
    n--;
  }
  return p;
}

}  // namespace

int WText::textWidth(const char* from, const char* to) const {
  gfxutil::Font* font = getStyle()->font;
  if (masked) return countChars(from, to) * font->charWidth('*');
  return font->textWidth(from, to);
}

void WText::drawText(fb::WritablePixelBuffer* pb, const char* from, const plat::Point& at,
                     unsigned pixel, const char* to) const {
  gfxutil::Font* font = getStyle()->font;
  if (!masked) {
    font->drawText(pb, from, at, pixel, to);
    return;
  }
  int w = font->charWidth('*'), n = countChars(from, to);
  for (int i = 0; i < n; i++) font->drawChar(pb, '*', plat::Point(at.x + i * w, at.y), pixel);
}

const char* WText::pixelPosToChar(int px, const char* from, const char* to) const {
  gfxutil::Font* font = getStyle()->font;
  if (!masked) return font->pixelPosToChar(px, from, to);
  int w = font->charWidth('*');
  if (w <= 0 || px <= 0) return from;
  // Exactly half way goes to the boundary on the left.
  return skipChars(from, (px + (w - 1) / 2) / w, to);
}

int WText::nearestPosToMouse() const {
  const char* p = pixelPosToChar(pointerPos_.x - scroll_ - 6, text_.c_str());
  return int(p - text_.c_str());
}

plat::Point WText::getMinSize() const {
  return plat::Point(textWidth(text_.c_str()) + 12, getStyle()->font->height + 8);
}

bool WText::acceptsFocus() const { return focusable && enabled_ && visible_; }

void WText::render(fb::WritablePixelBuffer* pb) {
  const WStyle* st = getStyle();
  gfxutil::Font* font = st->font;
  plat::Rect outer(plat::Point(), size_);
  drawBevel(pb, outer, true, false);
  fb::fillRect(pb, expandRect(outer, -2),
               toPixel(enabled_ ? st->fieldColour : st->backgroundColour, pb));
  plat::Rect area(6, 4, size_.x - 6, size_.y - 4);
  plat::Rect target = pb->getRect();
  plat::Rect clip(std::max(area.tl.x, target.tl.x), std::max(area.tl.y, target.tl.y),
                  std::min(area.br.x, target.br.x), std::min(area.br.y, target.br.y));
  if (clip.isEmpty()) return;
  fb::FullFramePixelBuffer view(pb, area);

  const char* s = text_.c_str();
  int width = area.width(), total = textWidth(s), before = textWidth(s, s + cursor_);
  int x = 0;
  if (total <= width) {
    scroll_ = 0;
    x = hAlign == Centre ? (width - total) / 2 : hAlign == Right ? width - total : 0;
  } else {
    if (scroll_ + total + 2 < width) scroll_ = width - total - 2;
    if (scroll_ + before + 2 > width)
      scroll_ = width - before - 2;
    else if (scroll_ + before < 0)
      scroll_ = -before;
    x = scroll_;
  }
  int height = area.height();
  int y = vAlign == Middle   ? (height - font->height) / 2
          : vAlign == Bottom ? height - font->height
                             : 0;

  unsigned textPixel = toPixel(enabled_ ? st->textColour : st->textDisabledColour, &view);
  if (!hasFocus()) {
    drawText(&view, s, plat::Point(x, y), textPixel);
    return;
  }
  const char* low = s + selLow();
  const char* high = s + selHigh();
  drawText(&view, s, plat::Point(x, y), textPixel, low);
  int lowX = x + textWidth(s, low);
  if (low != high) {
    int highX = lowX + textWidth(low, high);
    fb::fillRect(&view, plat::Rect(lowX, y, highX, y + font->height),
                 toPixel(st->highlightColour, &view));
    drawText(&view, low, plat::Point(lowX, y), toPixel(st->highlightTextColour, &view), high);
    drawText(&view, high, plat::Point(highX, y), textPixel);
    return;
  }
  drawText(&view, low, plat::Point(lowX, y), textPixel);
  fb::fillRect(&view, plat::Rect(lowX, y, lowX + st->textMargin, y + font->height),
               toPixel(st->textColour, &view));
}

}  // namespace wvw
