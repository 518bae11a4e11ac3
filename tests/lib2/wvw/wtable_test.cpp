#include "lib2/wvw/WTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "lib2/fb/Draw.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WStyle.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

struct Rows : WTable::Callback {
  const char* getTableText(WTable*, int row, int) override {
    asked++;
    text = "row " + std::to_string(row);
    return row == 3 ? nullptr : text.c_str();  // an owner without a text
  }
  fb::PixelBuffer* getTableImage(WTable*, int r, int) override { return r % 2 ? &icon : nullptr; }
  bool isRowSelectable(WTable*, int row) override { return !unselectable.count(row); }
  void doubleClick(WTable*, int row, int col) override {
    doubles += std::to_string(row) + "," + std::to_string(col) + " ";
  }
  std::string text, doubles;
  std::set<int> unselectable;
  int asked = 0;
  fb::ManagedPixelBuffer icon{fb::PixelFormat::rgb888(), plat::Point(12, 12), nullptr};
};

// A table 204x100 without header: content 200 wide, rows of F + 8.
struct Table : ::testing::Test {
  DrivenClock clock;
  Rows rows;
  WTable table{&rows, false, false};
  WidgetHost host{plat::Point(204, 100)};
  int rowH = WStyle::defaultStyle()->font->height + 8;
  void SetUp() override {
    table.addCol(1, WTable::TextCol, "Name", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
    table.addCol(2, WTable::ImageCol, nullptr, -1, {}, plat::ALIGN_CENTRE, plat::ALIGN_CENTRE);
    host.host(&table);
    host.focusWindow(true);
    host.topEvents.take();
  }
  void rowsTo(int n) {
    table.setNumRows(n);
    table.reload();
  }
  void click(plat::Point p) {
    for (int mask : {1, 0}) host.pointer(p, mask);
  }
  // The table's own reports, without the pointer and visibility traffic.
  std::string reports() {
    std::string out, all = host.topEvents.take() + ", ";
    for (size_t at; (at = all.find(", ")) != std::string::npos; all.erase(0, at + 2))
      if (all.rfind("changed ?", 0) == 0 || all.rfind("click ?", 0) == 0)
        out += all.substr(0, at) + ";";
    return out;
  }
};

}  // namespace

TEST_F(Table, ClicksSelectByRowAndNameTheColumn) {
  rowsTo(2);
  // Where, then the row and column index selected (the image column is the last).
  const int cases[][4] = {
      {190, 2 + rowH + 1, 1, 1}, {10, 5, 0, 0}, {10, 99, 0, 0} /* the frame */, {10, 90, -1, -1}};
  for (const auto& [x, y, row, col] : cases) {
    click({x, y});
    clock.advance(1000);
    EXPECT_EQ(std::pair(table.getSelectedRow(), table.selectedCol), std::pair(row, col)) << y;
  }
  table.keepSelection = true;
  table.setSelected(1, 1);
  for (int i = 0; i < 2; i++) click({10, 90});
  EXPECT_TRUE(table.getSelectedRow() == 1 && rows.doubles == "-1,-1 ") << rows.doubles;
}

TEST_F(Table, TwoReleasesOnOneCellWithinTheWindowMakeADoubleClick) {
  rowsTo(5);
  click({10, 5});
  click({10, 5});
  EXPECT_EQ(reports(), "changed ?;click ?;");
  click({10, 5});
  clock.advance(499);
  click({10, 5});
  clock.advance(501);
  click({10, 5});
  click({10, 5 + rowH});
  EXPECT_EQ(rows.doubles, "0,1 0,1 ");
  EXPECT_EQ(reports(), "click ?;click ?;changed ?;click ?;");
}

TEST_F(Table, KeysMoveTheSelectionOverUnselectableRows) {
  rowsTo(4);
  host.render();  // row 3 has a null text, drawn as empty
  rows.unselectable = {0};
  EXPECT_TRUE(table.handleKeyEvent(fb::keysym::Up, true, &table) && table.getSelectedRow() == -1);
  host.press(fb::keysym::Down);
  EXPECT_EQ(table.getSelectedRow(), 1);
  table.setSelected(3, -1);
  host.topEvents.take();
  EXPECT_TRUE(table.handleKeyEvent(fb::keysym::Down, true, &table) && table.getSelectedRow() == 3);
  rows.unselectable = {0, 3};
  EXPECT_FALSE(table.selectNextRow(0));  // no endless loop on a row turned unselectable
  host.takeDirty();
  table.setSelected(3, -1);
  EXPECT_EQ(host.dirtyText() + reports(), "");  // the same selection: silent
  table.setSelected(0, -1);
  EXPECT_EQ(table.getSelectedRow(), -1);
  EXPECT_EQ(reports(), "changed ?;");
}

TEST_F(Table, UpAndDownStayWithTheRowsOnceTheScrollBarShows) {
  WCanvas canvas;
  host.unhost();
  canvas.setSize({300, 120});
  canvas.add(&table, {10, 10, 214, 110}, nullptr);
  rowsTo(50);
  host.host(&canvas);
  host.focusWindow(true);  // the focus goes into the table
  for (unsigned k : {fb::keysym::Down, fb::keysym::Down}) host.press(k);
  EXPECT_EQ(table.getSelectedRow(), 1);
  host.unhost();
  canvas.remove(&table);
}

TEST_F(Table, AMillionRowsCostOnlyTheRowsInViewAndFewerDropTheSelection) {
  rowsTo(1000000);
  table.setSelected(999999, -1);
  host.render();
  rows.asked = 0;
  host.render();
  EXPECT_EQ(rows.asked, 96 / rowH);  // at the end: no part row below the last
  click({200, 10});                  // the up arrow
  EXPECT_EQ(table.scrollbar.slider.position.y, 1000000 - 96 / rowH - 1);
  rowsTo(50);  // the view ends at the last row; the selected row is gone
  EXPECT_TRUE(table.scrollbar.slider.position.y == 50 - 96 / rowH && table.getSelectedRow() == -1);
}

// What a test driving the program from outside clicks: each row in view where
// the table finds it, a part row cut to the box, the rest nowhere.
TEST_F(Table, RowRectIsWhereTheTableFindsTheRow) {
  rowsTo(50);
  table.setSelected(10, -1);  // scrolled so that row 10 shows
  int first = table.scrollbar.slider.position.y;
  ASSERT_GT(first, 0);
  for (int row : {first - 1, 50, -1}) EXPECT_TRUE(table.rowRect(row).isEmpty()) << row;
  int shown = 0;
  for (int row = first; !table.rowRect(row).isEmpty(); row++, shown++) {
    plat::Rect r = table.rowRect(row);
    int found, col;
    ASSERT_TRUE(table.findRowColAtPoint({r.tl.x + 1, (r.tl.y + r.br.y) / 2}, &found, &col));
    EXPECT_EQ(found, row);
    EXPECT_LE(r.br.y, 98) << row;  // inside the frame
  }
  EXPECT_EQ(shown, (96 + rowH - 1) / rowH);
}

TEST_F(Table, LooksAsTheGoldenImage) {
  WTable headed(&rows, true, false);
  headed.addCol(1, WTable::TextCol, "Name", -1, {}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE);
  headed.addCol(2, WTable::TextCol, "A very long title", 60, {}, plat::ALIGN_RIGHT,
                plat::ALIGN_TOP);
  headed.addCol(3, WTable::ImageCol, "", -1, {}, plat::ALIGN_CENTRE, plat::ALIGN_CENTRE);
  fb::fillRect(&rows.icon, plat::Rect(2, 2, 10, 10), Widget::toPixel(Widget::Red, &rows.icon));
  host.unhost();
  host.host(&headed);
  headed.setNumRows(20);
  headed.reload();
  headed.setSelected(1, 1);
  headed.requestFocus();
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/table.png"));
  host.unhost();
}
