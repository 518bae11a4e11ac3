// The drawing of WTable: header, the rows in view, the scroll bar, the frame.
#include <algorithm>

#include "lib2/fb/Blit.h"
#include "lib2/fb/Draw.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WStyle.h"
#include "lib2/wvw/WTable.h"

namespace wvw {

void WTable::renderHeader(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  unsigned int low = toPixel(style->bevelLowColour, pb);
  unsigned int high = toPixel(style->bevelHighColour, pb);
  unsigned int text = toPixel(style->textColour, pb);
  int x = border;
  for (size_t i = 0; i < cols.size(); i++) {
    int w = colWidth(cols[i]);
    if (i > 0) {
      fb::fillRect(pb, plat::Rect(x - 1, border, x, border + headerHeight), low);
      fb::fillRect(pb, plat::Rect(x, border, x + 1, border + headerHeight), high);
    }
    if (!cols[i].title.isNull()) {
      plat::Rect cell(x + textPadding.x, border + textPadding.y, x + w - textPadding.x,
                      border + headerHeight - textPadding.y);
      style->font->drawTextTrunc(pb, cols[i].title.get(), cell, text, cols[i].hAlign,
                                 plat::ALIGN_TOP, true);
    }
    x += w;
  }
}

void WTable::renderCell(fb::WritablePixelBuffer* pb, int row, const ColInfo& c,
                        const plat::Rect& cell) {
  const WStyle* style = getStyle();
  if (c.type == ImageCol) {
    fb::PixelBuffer* img = callback->getTableImage(this, row, c.id);
    if (!img) return;
    plat::Rect box(cell.tl + imagePadding, cell.br - imagePadding);
    plat::Point drawn(std::min(c.imageSize.x, img->getWidth()),
                      std::min(c.imageSize.y, img->getHeight()));
    plat::Point off((box.width() - drawn.x) * int(c.hAlign) / 2,
                    (box.height() - drawn.y) * int(c.vAlign) / 2);
    plat::Point at = box.tl + off;
    fb::blit(img, plat::Point(), pb, plat::Rect(at, at + drawn), fb::compositeOver);
    return;
  }
  fb::Colour colour = style->textColour;
  if (row == selectedRow) {
    colour = style->highlightTextColour;
  } else {
    fb::Colour c2{0, 0, 0};
    if (callback->getTextColour(this, row, c.id, &c2)) colour = c2;
  }
  const char* text = callback->getTableText(this, row, c.id);
  plat::Rect inner(cell.tl + textPadding, cell.br - textPadding);
  style->font->drawTextTrunc(pb, text ? text : "", inner, toPixel(colour, pb), c.hAlign, c.vAlign,
                             true);
}

void WTable::renderRow(fb::WritablePixelBuffer* pb, int row, const plat::Rect& r) {
  if (row == selectedRow) fb::fillRect(pb, r, toPixel(getStyle()->highlightColour, pb));
  if (callback->customDraw(this, row, -1, pb, r)) return;
  int x = border;
  for (const ColInfo& c : cols) {
    int w = colWidth(c);
    plat::Rect cell(x, r.tl.y, x + w, r.br.y);
    if (!callback->customDraw(this, row, c.id, pb, cell)) renderCell(pb, row, c, cell);
    x += w;
  }
}

void WTable::render(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  plat::Rect whole(plat::Point(), size_);
  if (showHeader) renderHeader(pb);
  plat::Rect area = rowsArea();
  fb::fillRect(pb, area, toPixel(style->fieldColour, pb));
  if (rowHeight > 0) {
    int h = size_.y - 2 * border - headerHeight;
    long long inView = h > 0 ? (h + rowHeight - 1) / rowHeight : 0;
    long long end = std::min((long long)first() + inView, (long long)numRows);
    for (long long i = first(); i < end; i++) {
      int top = area.tl.y + int(i - first()) * rowHeight;
      renderRow(pb, int(i), plat::Rect(border, top, area.br.x, top + rowHeight));
    }
  }
  WLayout::render(pb);
  fb::outlineRect(pb, whole, toPixel(style->backgroundColour, pb), border);
  drawBevel(pb, whole, true, false);
  if (hasFocus()) drawBoundingRect(pb, whole, true);
}

}  // namespace wvw
