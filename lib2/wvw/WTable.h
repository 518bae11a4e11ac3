// The list widget: a framed box of rows under an optional header, with text
// and image columns, one selected row, a vertical scroll bar shown only when
// the rows do not fit, key and wheel navigation and double-click detection.
//
// The table holds no cell data: it knows only how many rows there are and
// asks its Callback for every text, image and colour when it draws, and only
// for the rows in view, so a table of any length costs its visible rows.
//
// Invariants: selectedRow is -1 or a row below numRows (reload drops a
// selection that the row count left behind); selectedCol is -1 or a
// position in cols; the first visible row is the scroll bar's position.
#pragma once

#include <vector>

#include "lib1/plat/Alignment.h"
#include "lib1/plat/String.h"
#include "lib1/plat/Timer.h"
#include "lib2/fb/PixelBuffer.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WScrollbar.h"

namespace wvw {

class WTable : public WLayout, public plat::Timer::Callback {
 public:
  enum ColType { TextCol = 0, ImageCol = 1 };

  class Callback {
   public:
    virtual ~Callback();
    // Null draws as an empty cell.
    virtual const char* getTableText(WTable* table, int row, int col) = 0;
    // Not owned; null leaves the cell empty.
    virtual fb::PixelBuffer* getTableImage(WTable* table, int row, int col);
    virtual bool isRowSelectable(WTable* table, int row);
    // col -1 asks for the whole row. True: the callback has drawn it.
    virtual bool customDraw(WTable* table, int row, int col, fb::WritablePixelBuffer* pb,
                            const plat::Rect& r);
    virtual bool getTextColour(WTable* table, int row, int col, fb::Colour* colour);
    virtual void doubleClick(WTable* table, int row, int col);
  };

  struct ColInfo {
    int id;
    ColType type;
    plat::String title;  // null: no title
    int width;           // negative: automatic
    plat::Point imageSize;
    plat::Alignment hAlign;
    plat::Alignment vAlign;
  };

  WTable(Callback* cb, bool showHeader, bool keepSelection);
  ~WTable() override;

  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleFocus(bool reverse, Widget* w) override;
  bool handleChanged(Widget* w) override;
  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  bool acceptsFocus() const override { return Widget::acceptsFocus(); }
  bool handleTimeout(plat::Timer* timer) override;

  // title may be null; an imageSize of (0,0) stands for 16x16.
  void addCol(int id, ColType type, const char* title, int width, plat::Point imageSize,
              plat::Alignment hAlign, plat::Alignment vAlign);
  void removeCol(int id);
  // A negative count is taken as 0. Call reload() afterwards.
  void setNumRows(int n) { numRows = n < 0 ? 0 : n; }
  int getSelectedRow() const { return selectedRow; }
  void reload();
  void setSelected(int row, int col);
  void ensureVisible(int row, int col);
  // delta is +1 or -1; 0 moves nowhere and returns false.
  bool selectNextRow(int delta);
  bool findRowColAtPoint(plat::Point p, int* row, int* col) const;
  // Where row lies in the table, cut to the rows' area; empty while it is
  // scrolled out of view or does not exist.
  plat::Rect rowRect(int row) const;

  Callback* callback;
  std::vector<ColInfo> cols;
  bool showHeader;
  bool keepSelection;
  WChild<WScrollbar> scrollbar{false, 1};
  int numRows = 0;
  int selectedRow = -1;
  int selectedCol = -1;
  int rowHeight = 0;
  int headerHeight = 0;
  int autoColWidth = 0;
  int scrollbarWidth = 16;
  int border = 2;
  plat::Point textPadding{4, 4};
  plat::Point imagePadding{2, 2};
  plat::Timer clickTimer{this};
  int lastClickRow = -1;
  int lastClickCol = -1;

 private:
  int colWidth(const ColInfo& c) const;
  int visibleRows() const;
  int first() const { return scrollbar.slider.position.y; }
  int contentRight() const;
  plat::Rect rowsArea() const;
  void renderHeader(fb::WritablePixelBuffer* pb);
  void renderRow(fb::WritablePixelBuffer* pb, int row, const plat::Rect& r);
  void renderCell(fb::WritablePixelBuffer* pb, int row, const ColInfo& c, const plat::Rect& cell);
};

}  // namespace wvw
