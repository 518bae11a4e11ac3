#include "lib2/wvw/WTable.h"

#include <algorithm>

#include "lib1/plat/IntParameter.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

namespace {
plat::IntParameter doubleClickTime(
    "DoubleClickTime",
    "Maximum time in milliseconds between two mouse button clicks to count as a double click", 500,
    true, nullptr);
}  // namespace

WTable::Callback::~Callback() = default;
fb::PixelBuffer* WTable::Callback::getTableImage(WTable*, int, int) { return nullptr; }
bool WTable::Callback::isRowSelectable(WTable*, int) { return true; }
bool WTable::Callback::customDraw(WTable*, int, int, fb::WritablePixelBuffer*, const plat::Rect&) {
  return false;
}
bool WTable::Callback::getTextColour(WTable*, int, int, fb::Colour*) { return false; }
void WTable::Callback::doubleClick(WTable*, int, int) {}

WTable::WTable(Callback* cb, bool header, bool keep)
    : WLayout(true), callback(cb), showHeader(header), keepSelection(keep) {
  add(&scrollbar, plat::Point(), nullptr);
  reload();
}

WTable::~WTable() { clickTimer.stop(); }

void WTable::addCol(int id, ColType type, const char* title, int width, plat::Point imageSize,
                    plat::Alignment hAlign, plat::Alignment vAlign) {
  if (imageSize == plat::Point()) imageSize = plat::Point(16, 16);
  cols.push_back(ColInfo{id, type, title, width, imageSize, hAlign, vAlign});
  reload();
}

void WTable::removeCol(int id) {
  for (size_t i = 0; i < cols.size(); i++) {
    if (cols[i].id != id) continue;
    if (int(i) == selectedCol) selectedCol = -1;
    // Later positions shift down by one; the selected one must follow.
    if (selectedCol > int(i)) selectedCol--;
    cols.erase(cols.begin() + long(i));
    break;
  }
  reload();
}

int WTable::colWidth(const ColInfo& c) const {
  if (c.width >= 0) return c.width;
  if (c.type == ImageCol) return c.imageSize.x + 2 * imagePadding.x;
  return autoColWidth;
}

int WTable::visibleRows() const {
  if (rowHeight <= 0) return 0;
  return std::max(0, (size_.y - 2 * border - headerHeight) / rowHeight);
}

int WTable::contentRight() const {
  return size_.x - border - (scrollbar.isVisible() ? scrollbarWidth : 0);
}

plat::Rect WTable::rowsArea() const {
  return plat::Rect(border, border + headerHeight, contentRight(), size_.y - border);
}

void WTable::reload() {
  int textRow = getStyle()->font->height + 2 * textPadding.y;
  rowHeight = textRow;
  for (const ColInfo& c : cols)
    if (c.type == ImageCol) rowHeight = std::max(rowHeight, c.imageSize.y + 2 * imagePadding.y);
  headerHeight = showHeader ? textRow : 0;
  int visible = visibleRows();
  bool shown = numRows > visible;
  // Rows that the count left behind cannot stay selected: an owner indexing
  // its data with the selection would read past its end.
  if (selectedRow >= numRows) selectedRow = -1;

  int rest = size_.x - border - (shown ? scrollbarWidth : 0) - border;
  int autoText = 0;
  for (const ColInfo& c : cols) {
    if (c.type == TextCol && c.width < 0)
      autoText++;
    else
      rest -= colWidth(c);
  }
  autoColWidth = autoText ? rest / autoText : rest;

  scrollbar.slider.setKnobUnits(plat::Point(0, visible));
  scrollbar.slider.setRange(plat::Point(0, numRows - visible));
  setPos(&scrollbar, plat::Rect(size_.x - border - scrollbarWidth, border + headerHeight,
                                size_.x - border, size_.y - border));
  scrollbar.setVisible(shown);
  invalidate();
}

plat::Rect WTable::rowRect(int row) const {
  if (row < first() || row >= numRows || rowHeight <= 0) return plat::Rect();
  plat::Rect area = rowsArea();
  int top = area.tl.y + (row - first()) * rowHeight;
  if (top >= area.br.y) return plat::Rect();
  return plat::Rect(area.tl.x, top, area.br.x, std::min(top + rowHeight, area.br.y));
}

bool WTable::findRowColAtPoint(plat::Point p, int* row, int* col) const {
  plat::Rect area = rowsArea();
  if (p.x < area.tl.x || p.y < area.tl.y || p.x >= area.br.x || p.y >= area.br.y) return false;
  long long r = (long long)first() + (p.y - area.tl.y) / rowHeight;
  if (r < 0 || r >= numRows) {
    *row = -1, *col = -1;
    return true;
  }
  *row = int(r);
  *col = -1;
  int x = p.x - border;
  for (const ColInfo& c : cols) {
    if (x < 0) break;
    *col = c.id;
    x -= colWidth(c);
  }
  return true;
}

void WTable::ensureVisible(int row, int) {
  if (row < 0 || row >= numRows) return;
  int visible = visibleRows();
  if (row < first())
    scrollbar.slider.setPosition(plat::Point(0, row));
  else if (row >= std::min((long long)first() + visible, (long long)numRows))
    scrollbar.slider.setPosition(plat::Point(0, row - visible + 1));
}

void WTable::setSelected(int row, int col) {
  int currentCol =
      selectedCol >= 0 && selectedCol < int(cols.size()) ? cols[size_t(selectedCol)].id : -1;
  if (row == selectedRow && col == currentCol) return;
  bool ok = row >= 0 && row < numRows && callback->isRowSelectable(this, row);
  selectedRow = ok ? row : -1;
  selectedCol = -1;
  for (size_t i = 0; i < cols.size(); i++) {
    if (cols[i].id == col) {
      selectedCol = int(i);
      break;
    }
  }
  ensureVisible(selectedRow, col);
  invalidate();
  handleChanged(this);
}

bool WTable::selectNextRow(int delta) {
  if (delta == 0) return false;
  long long i = selectedRow;
  do {
    i += delta;
  } while (i >= 0 && i < numRows && !callback->isRowSelectable(this, int(i)));
  if (i < 0) ensureVisible(0, -1);
  if (i < 0 || i >= numRows) return false;
  setSelected(int(i), selectedCol >= 0 ? cols[size_t(selectedCol)].id : -1);
  return true;
}

bool WTable::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (w == this && down && (keysym == fb::keysym::Up || keysym == fb::keysym::Down)) {
    selectNextRow(keysym == fb::keysym::Up ? -1 : 1);
    return true;
  }
  return WLayout::handleKeyEvent(keysym, down, w);
}

bool WTable::handlePtrPress(unsigned char button, Widget* w) {
  if (w == this) {
    if (button == 3) return selectNextRow(-1);
    if (button == 4) return selectNextRow(1);
    int row, col;
    if (button == 0 && findRowColAtPoint(pointerPos_, &row, &col) && !(row == -1 && keepSelection))
      setSelected(row, col);
  }
  return WLayout::handlePtrPress(button, w);
}

bool WTable::handlePtrRelease(unsigned char button, Widget* w) {
  int row, col;
  if (w == this && button == 0 && findRowColAtPoint(pointerPos_, &row, &col)) {
    if (clickTimer.isStarted() && row == lastClickRow && col == lastClickCol) {
      clickTimer.stop();
      callback->doubleClick(this, row, col);
    } else {
      lastClickRow = row, lastClickCol = col;
      // A negative setting would make a timer that is already due: no window.
      clickTimer.start(std::max(0, doubleClickTime.getIntValue()));
      handleClick(this);
    }
  }
  return WLayout::handlePtrRelease(button, w);
}

bool WTable::handleTimeout(plat::Timer*) { return false; }

bool WTable::handleFocus(bool reverse, Widget* w) {
  if (w == this) invalidate();
  return WLayout::handleFocus(reverse, w);
}

bool WTable::handleChanged(Widget* w) {
  if (w == &scrollbar.slider) invalidate();
  return WLayout::handleChanged(w);
}

bool WTable::handleResize(Widget* w) {
  if (w == this) reload();
  return WLayout::handleResize(w);
}

}  // namespace wvw
