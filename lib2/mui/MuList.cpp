#include "lib2/mui/MuList.h"

#include <utility>

#include "lib1/plat/Assert.h"

namespace mui {

MuList::Callback::~Callback() = default;
bool MuList::Callback::isRowSelectable(MuList*, int) { return true; }
bool MuList::Callback::isHeadingRow(MuList*, int) { return false; }
bool MuList::Callback::getTextColour(MuList*, int, int, fb::Colour*) { return false; }

MuList::MuList(MuContainer* parent, const char* id, int flags, Callback* callback)
    : MuElement(parent, id, nullptr), callback_(callback), listFlags_(flags) {}

void MuList::addColumn(int id, ColumnType type, const char*, int) {
  // Rows made before the column would be one cell short, and reading the
  // new column's cell would run past their end: each gets an empty one.
  size_t before = columns_.size();
  columns_.push_back(ColumnInfo{id, type});
  std::vector<plat::String> cells;
  cells.reserve(size_t(rowCount_) * columns_.size());
  auto from = cells_.begin();
  for (int row = 0; row < rowCount_; row++) {
    for (size_t c = 0; c < before; c++) cells.push_back(std::move(*from++));
    cells.emplace_back();
  }
  cells_ = std::move(cells);
}

void MuList::addRow(int row) {
  int at = isValidRow(row) ? row : rowCount_;
  cells_.insert(cells_.begin() + long(size_t(at) * columns_.size()), columns_.size(),
                plat::String());
  rowCount_++;
  PLAT_ASSERT(cells_.size() == size_t(rowCount_) * columns_.size());
}

void MuList::removeRow(int row) {
  if (!isValidRow(row)) return;
  auto first = cells_.begin() + long(size_t(row) * columns_.size());
  cells_.erase(first, first + long(columns_.size()));
  rowCount_--;
}

void MuList::removeAllRows() {
  cells_.clear();
  rowCount_ = 0;
}

void MuList::addRowData(int row, ...) {
  int target = isValidRow(row) ? row : getRowCount();
  addRow(target);
  va_list args;
  va_start(args, row);
  vSetRowData(target, args);
  va_end(args);
}

void MuList::addRowData(int row, std::initializer_list<const char*> texts) {
  // Checked before the row is made, so that a wrong count adds nothing.
  PLAT_ASSERT_MSG(texts.size() == columns_.size(), "%zu texts for %zu columns", texts.size(),
                  columns_.size());
  int target = isValidRow(row) ? row : getRowCount();
  addRow(target);
  setRowData(target, texts);
}

void MuList::setRowData(int row, ...) {
  va_list args;
  va_start(args, row);
  vSetRowData(row, args);
  va_end(args);
}

void MuList::setRowData(int row, std::initializer_list<const char*> texts) {
  PLAT_ASSERT_MSG(texts.size() == columns_.size(), "%zu texts for %zu columns", texts.size(),
                  columns_.size());
  PLAT_ASSERT(isValidRow(row));
  const char* const* text = texts.begin();
  for (const ColumnInfo& c : columns_) setData(row, c.id, *text++);
}

void MuList::vSetRowData(int row, va_list args) {
  PLAT_ASSERT(isValidRow(row));
  for (const ColumnInfo& c : columns_) setData(row, c.id, va_arg(args, const char*));
}

int MuList::getColumnIndex(int id) const {
  for (size_t i = 0; i < columns_.size(); i++)
    if (columns_[i].id == id) return int(i);
  return -1;
}

const char* MuList::getCell(int row, int index) const {
  PLAT_ASSERT(isValidRow(row));
  PLAT_ASSERT(index >= 0 && index < int(columns_.size()));
  const plat::String& cell = cells_[size_t(row) * columns_.size() + size_t(index)];
  return cell.isNull() ? "" : cell.get();
}

bool MuList::storeData(int row, int columnId, const char* text) {
  int col = getColumnIndex(columnId);
  PLAT_ASSERT(col >= 0);
  // A row that does not exist would be written past the end of the cells.
  PLAT_ASSERT(isValidRow(row));
  if (!text) text = "";
  if (plat::String::equal(getCell(row, col), text)) return false;
  cellAt(row, col) = *text ? plat::String(text) : plat::String();
  return true;
}

plat::DString MuList::getState() {
  plat::DString s = MuElement::getState();
  s.prf("element List\nvalue %d\n", getSelectedRow());
  return s;
}

plat::DString MuList::getItems() {
  plat::DString s;
  for (int row = 0; row < rowCount_; row++) {
    s.prf("%d:", row);
    for (size_t c = 0; c < columns_.size(); c++) {
      if (c > 0) s.append("|");
      s.append("\"").append(getCell(row, int(c))).append("\"");
    }
    s.append("\n");
  }
  return s;
}

}  // namespace mui
