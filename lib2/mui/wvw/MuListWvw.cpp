#include "lib2/mui/wvw/MuListWvw.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "lib1/plat/Log.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/mui/Mui.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuiWvw.h"
#include "lib2/wvw/WStyle.h"

namespace mui {

// Registered so that its level can be set like any other; it has nothing to
// say yet.
PLAT_LOG_WRITER(vlog, "MuListWvw");

namespace {

constexpr fb::Colour kHeadingBand{224, 224, 224};
// Where a heading row's text starts inside its band.
const plat::Point kHeadingInset(6, 4);

plat::Point imageSize() {
  return plat::Point(sizes[MuiSizes::ListImage], sizes[MuiSizes::ListImage]);
}

}  // namespace

MuListWvw::Table::Table(MuListWvw* owner, bool headings, bool keep)
    : WTable(owner, headings, keep), owner_(owner) {}

void MuListWvw::Table::render(fb::WritablePixelBuffer* pb) {
  owner_->bringUpToDate();
  WTable::render(pb);
}

void MuListWvw::Table::pointerEvent(const plat::Point& pos, int buttonMask) {
  owner_->bringUpToDate();
  WTable::pointerEvent(pos, buttonMask);
}

void MuListWvw::Table::keyEvent(unsigned int keysym, bool down) {
  owner_->bringUpToDate();
  WTable::keyEvent(keysym, down);
}

MuListWvw::MuListWvw(MuContainer* parent, const char* id, int flags, MuList::Callback* callback)
    : MuList(parent, id, flags, callback),
      table_(this, (flags & Headings) != 0, (flags & KeepSelection) != 0) {
  table_.setInputHandler(this);
  setImpl(std::make_unique<MuCommonWvw>(&table_));
}

MuListWvw::~MuListWvw() = default;

void MuListWvw::markForReload() {
  table_.setNumRows(getRowCount());
  if (reloadPending_) return;
  reloadPending_ = true;
  // The repaint this asks for brings the table up to date when nothing
  // else does first.
  table_.invalidate();
}

void MuListWvw::bringUpToDate() {
  if (!reloadPending_) return;
  reloadPending_ = false;
  reloads_++;
  table_.reload();
}

void MuListWvw::addColumn(int id, ColumnType type, const char* title, int width) {
  MuList::addColumn(id, type, title, width);
  table_.addCol(id, type == Text ? wvw::WTable::TextCol : wvw::WTable::ImageCol, title, width,
                imageSize(), plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
}

void MuListWvw::addRow(int row) {
  int at = isValidRow(row) ? row : getRowCount();
  MuList::addRow(at);
  // The selected row moves down with the rows below the new one, so that the
  // owner reading the selection still finds the row the user chose.
  if (table_.selectedRow >= at) table_.selectedRow++;
  markForReload();
}

void MuListWvw::removeRow(int row) {
  if (!isValidRow(row)) return;
  MuList::removeRow(row);
  // Left at its index, the selection would name the row that moved up into
  // it, and an owner acting on the selection would act on the wrong row.
  int& selected = table_.selectedRow;
  if (selected == row)
    selected = -1;
  else if (selected > row)
    selected--;
  markForReload();
}

void MuListWvw::removeAllRows() {
  MuList::removeAllRows();
  table_.selectedRow = -1;
  markForReload();
}

void MuListWvw::refresh(int) { markForReload(); }

void MuListWvw::setSelectedRow(int row) {
  bringUpToDate();
  bool was = std::exchange(settingSelection_, true);
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{settingSelection_, was};
  table_.setSelected(row, -1);
}

void MuListWvw::ensureRowVisible(int row) {
  bringUpToDate();
  table_.ensureVisible(row, -1);
}

plat::Rect MuListWvw::getRowRect(int row) {
  bringUpToDate();
  return table_.rowRect(row);
}

void MuListWvw::setData(int row, int columnId, const char* text) {
  if (!storeData(row, columnId, text)) return;
  // Only a row in view shows the change; a reload would change nothing else.
  int first = table_.scrollbar.slider.position.y;
  int inView = table_.rowHeight > 0 ? table_.getSize().y / table_.rowHeight + 1 : 0;
  if (row >= first && row - first <= inView) table_.invalidate();
}

const char* MuListWvw::cell(int row, int columnId) const {
  return getCell(row, getColumnIndex(columnId));
}

bool MuListWvw::isHeading(int row) {
  return getCallback() && isValidRow(row) && getCallback()->isHeadingRow(this, row);
}

int MuListWvw::getMaxWidth() {
  gfxutil::Font* font = table_.getStyle()->font;
  int width = 20;
  for (size_t c = 0; c < getColumns().size(); c++) {
    if (getColumns()[c].type == Image) {
      width += imageSize().x + 2 * table_.imagePadding.x;
      continue;
    }
    int widest = 0;
    for (int row = 0; row < getRowCount(); row++) {
      if (isHeading(row)) continue;
      widest = std::max(widest, font->textWidth(getCell(row, int(c))) + 2 * table_.textPadding.x);
    }
    width += widest;
  }
  return width;
}

const char* MuListWvw::getTableText(wvw::WTable*, int row, int col) { return cell(row, col); }

fb::PixelBuffer* MuListWvw::getTableImage(wvw::WTable*, int row, int col) {
  lastImage_ = gfxutil::getNamedImagePb(cell(row, col), imageSize());
  gfxutil::NamedImagePixelBuffer* image = lastImage_.get();
  // A missing image comes back empty: the cell stays blank.
  return image && image->getWidth() > 0 ? image : nullptr;
}

bool MuListWvw::isRowSelectable(wvw::WTable*, int row) {
  return !getCallback() || getCallback()->isRowSelectable(this, row);
}

bool MuListWvw::getTextColour(wvw::WTable*, int row, int col, fb::Colour* colour) {
  return getCallback() && getCallback()->getTextColour(this, row, col, colour);
}

bool MuListWvw::customDraw(wvw::WTable*, int row, int, fb::WritablePixelBuffer* pb,
                           const plat::Rect& r) {
  if (!isHeading(row)) return false;
  fb::fillRect(pb, r, wvw::Widget::toPixel(kHeadingBand, pb));
  if (!getColumns().empty()) {
    const wvw::WStyle* style = table_.getStyle();
    plat::Rect text(r.tl + kHeadingInset, r.br);
    getMuiWvw()->boldFont()->drawTextTrunc(pb, getCell(row, 0), text,
                                           wvw::Widget::toPixel(style->textColour, pb),
                                           plat::ALIGN_LEFT, plat::ALIGN_TOP, true);
  }
  return true;
}

void MuListWvw::doubleClick(wvw::WTable*, int, int) { dispatchEvent(this, MuEventDoubleClicked); }

bool MuListWvw::handleClick(wvw::Widget* w) {
  if (w == &table_) dispatchEvent(this, MuEventClicked);
  return false;
}

bool MuListWvw::handleChanged(wvw::Widget* w) {
  if (w == &table_ && !settingSelection_) dispatchEvent(this, MuEventChanged);
  return false;
}

bool MuListWvw::handleKeyEvent(unsigned int keysym, bool down, wvw::Widget* w) {
  if (w != &table_ || !down || (keysym != fb::keysym::Home && keysym != fb::keysym::End))
    return false;
  selectEnd(keysym == fb::keysym::Home ? 1 : -1);
  return true;
}

void MuListWvw::selectEnd(int step) {
  int row = step > 0 ? 0 : getRowCount() - 1;
  while (isValidRow(row) && !isRowSelectable(&table_, row)) row += step;
  if (!isValidRow(row)) return;
  int col = table_.selectedCol;
  table_.setSelected(row, col >= 0 ? table_.cols[size_t(col)].id : -1);
}

MuList* muListWvw(MuContainer* parent, const char* id, int flags, MuList::Callback* callback) {
  return new MuListWvw(parent, id, flags, callback);
}

}  // namespace mui
