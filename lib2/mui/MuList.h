// mui::MuList: the dialog model's multi-column list, a table of rows whose
// cells hold a text or the name of an image. The list keeps the columns and
// a copy of every cell's text; its back-end reads the cells from here when it
// draws, and turns the user's selection, click and double click into the
// events 0, 1 and 2. Setting the selection from the program raises none.
//
// Invariants:
//  - every row holds exactly one cell per column, in column order; an empty
//    cell, as every new one is, reads as "" (a null text is kept as that);
//  - columns are only ever added, so a column's index never changes; a
//    column added while there are rows gives each of them an empty cell;
//  - a row or a column that does not exist is never written: writing one is
//    the caller's broken invariant and stops the program, naming it.
//
// Callers add the columns first, then rows (addRow + setData, or
// addRowData), and rebuild with removeRow or removeAllRows.
#pragma once

#include <cstdarg>
#include <initializer_list>
#include <vector>

#include "lib2/mui/MuElement.h"

namespace mui {

class MuList : public MuElement {
 public:
  enum ColumnType { Text = 0, Image = 1 };
  // Flags the back-end reads when it builds its table; the list itself does
  // not look at them.
  enum ListFlag { Headings = 1, KeepSelection = 8 };

  struct ColumnInfo {
    int id;  // chosen by the caller, who addresses cells by it
    ColumnType type;
  };

  // How the list's owner refines its look; not owned by the list. The
  // defaults are what a list without a callback does.
  class Callback {
   public:
    virtual ~Callback();
    virtual bool isRowSelectable(MuList* list, int row);
    // Drawn as a band with the first cell's text, and left out of the width
    // the list asks for.
    virtual bool isHeadingRow(MuList* list, int row);
    // True after storing the text colour of the cell in the column with id
    // column; false keeps the table's.
    virtual bool getTextColour(MuList* list, int row, int column, fb::Colour* colour);
  };

  MuList(MuContainer* parent, const char* id, int flags, Callback* callback);

  // Selects the row, or none for a row that does not exist or may not be
  // selected; raises no event.
  virtual void setSelectedRow(int row) = 0;
  // -1 when none.
  virtual int getSelectedRow() const = 0;
  // title and width are for the back-end.
  virtual void addColumn(int id, ColumnType type, const char* title, int width);
  // Inserts an empty row before row, or appends it when there is no such
  // row.
  virtual void addRow(int row);
  // Nothing for a row that does not exist.
  virtual void removeRow(int row);
  virtual void removeAllRows();
  // The row must exist, and a column must have the id.
  virtual void setData(int row, int columnId, const char* text) = 0;
  virtual void ensureRowVisible(int) {}
  // The width that shows every column without cutting.
  virtual int getMaxWidth() = 0;
  virtual void refresh(int) {}

  // Adds a row (appended when row does not exist) and fills it with one
  // const char* per column, in column order.
  void addRowData(int row, ...);
  // The same with the texts counted: one per column, or the program stops.
  void addRowData(int row, std::initializer_list<const char*> texts);
  // Fills an existing row with one const char* per column, in column order.
  void setRowData(int row, ...);
  void setRowData(int row, std::initializer_list<const char*> texts);
  void vSetRowData(int row, va_list args);

  // The index of the first column with the id; -1 when none has it.
  int getColumnIndex(int id) const;
  const std::vector<ColumnInfo>& getColumns() const { return columns_; }
  int getRowCount() const { return rowCount_; }
  bool isValidRow(int row) const { return row >= 0 && row < getRowCount(); }
  // The text of the cell in the column at index; both must exist.
  const char* getCell(int row, int index) const;
  Callback* getCallback() const { return callback_; }
  int getListFlags() const { return listFlags_; }

  const char* getType() const override { return "list"; }
  plat::DString getState() override;
  // One line per row: its index, then the cells quoted and joined by "|".
  plat::DString getItems() override;

 protected:
  // Where setData keeps the text: copied (null as ""), into an existing row
  // and a column that has the id. Answers whether the cell changed.
  bool storeData(int row, int columnId, const char* text);

 private:
  plat::String& cellAt(int row, int index) {
    return cells_[size_t(row) * columns_.size() + size_t(index)];
  }

  Callback* callback_;
  std::vector<ColumnInfo> columns_;
  // Row after row, one cell per column: a row costs no allocation of its
  // own, and an empty cell none at all.
  std::vector<plat::String> cells_;
  int rowCount_ = 0;
  int listFlags_;
};

}  // namespace mui
