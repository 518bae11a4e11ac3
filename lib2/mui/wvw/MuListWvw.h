// mui::MuListWvw: the list on the widget set's table. The table keeps no
// cells: it asks this object for the texts and images of the rows in view
// when it draws, and this object answers from the list's own cells. The
// table's selection change, click and double click become the events 0, 1
// and 2; Home and End select the first and the last row that may be
// selected, as Up and Down move the selection. Heading rows are drawn here:
// a grey band with the first cell's text in bold.
//
// The table is reloaded (its scroll range and geometry worked out anew) at
// most once per batch of changes: rows that come or go only mark it, and it
// reloads before it next draws, hears the user, or selects or scrolls for
// the program. A changed cell only repaints it, and only when in view. So
// filling a list costs time in proportion to its cells.
//
// Invariants:
//  - the table's row count is always the list's;
//  - the table's selection stays on the row it was made on while rows come
//    and go above it, and is cleared when that row goes; neither raises an
//    event, as only the user's changes do;
//  - settingSelection_ is true only while the program sets the selection.
#pragma once

#include "lib1/plat/SharedPtr.h"
#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/mui/MuList.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WTable.h"

namespace mui {

class MuListWvw : public MuList, private wvw::WTable::Callback, private wvw::WInputHandler {
 public:
  MuListWvw(MuContainer* parent, const char* id, int flags, MuList::Callback* callback);
  ~MuListWvw() override;

  void setSelectedRow(int row) override;
  int getSelectedRow() const override { return table_.getSelectedRow(); }
  void addColumn(int id, ColumnType type, const char* title, int width) override;
  void addRow(int row) override;
  void removeRow(int row) override;
  void removeAllRows() override;
  void setData(int row, int columnId, const char* text) override;
  void ensureRowVisible(int row) override;
  int getMaxWidth() override;
  void refresh(int row) override;

  // How often the table was reloaded, for measuring.
  int reloadCount() const { return reloads_; }
  // Where the row lies in the list's widget, as the table will next draw
  // it; empty while it is out of view.
  plat::Rect getRowRect(int row);

 private:
  // The table, which brings itself up to date before it draws or hears the
  // user.
  class Table : public wvw::WTable {
   public:
    Table(MuListWvw* owner, bool headings, bool keep);
    void render(fb::WritablePixelBuffer* pb) override;
    void pointerEvent(const plat::Point& pos, int buttonMask) override;
    void keyEvent(unsigned int keysym, bool down) override;

   private:
    MuListWvw* owner_;
  };

  const char* getTableText(wvw::WTable* table, int row, int col) override;
  fb::PixelBuffer* getTableImage(wvw::WTable* table, int row, int col) override;
  bool isRowSelectable(wvw::WTable* table, int row) override;
  bool customDraw(wvw::WTable* table, int row, int col, fb::WritablePixelBuffer* pb,
                  const plat::Rect& r) override;
  bool getTextColour(wvw::WTable* table, int row, int col, fb::Colour* colour) override;
  void doubleClick(wvw::WTable* table, int row, int col) override;
  bool handleClick(wvw::Widget* w) override;
  bool handleChanged(wvw::Widget* w) override;
  bool handleKeyEvent(unsigned int keysym, bool down, wvw::Widget* w) override;

  // The cell of the row in the column with the id; both must exist.
  const char* cell(int row, int columnId) const;
  bool isHeading(int row);
  // Selects the first (step 1) or last (step -1) selectable row, as the
  // user does.
  void selectEnd(int step);
  // The rows changed: the table takes the new count now and reloads later.
  void markForReload();
  // Reloads the table when it was marked.
  void bringUpToDate();

  wvw::WChild<Table> table_;
  // The image last handed to the table, kept alive while it draws it.
  plat::SharedPtr<gfxutil::NamedImagePixelBuffer> lastImage_;
  bool settingSelection_ = false;
  bool reloadPending_ = false;
  int reloads_ = 0;
};

MuList* muListWvw(MuContainer* parent, const char* id, int flags, MuList::Callback* callback);

}  // namespace mui
