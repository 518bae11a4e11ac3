#include "lib2/mui/wvw/MuListWvw.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "lib2/fb/Keysyms.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "lib2/wvw/WCanvas.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using mui::MuList;

// The list's events as "0 1 2 ".
struct Events : mui::MuObserver {
  void elementEvent(mui::MuElement*, int code) override { log += std::to_string(code) + " "; }
  std::string log;
};

// Rows 0 and 4 may not be selected; row 1's texts are red.
struct Look : MuList::Callback {
  bool isRowSelectable(MuList*, int row) override { return row != 0 && row != 4; }
  bool isHeadingRow(MuList*, int row) override { return row == heading; }
  bool getTextColour(MuList*, int row, int, fb::Colour* colour) override {
    *colour = fb::Colour{200, 0, 0};
    return row == 1;
  }
  int heading = -1;
};

// Five rows "row 0" to "row 4" of a text and an image column, made through
// the factory in a layout filling a window of 200x160, keeping the selection
// on a press below the rows.
struct MuListWvwTest : ::testing::Test {
  void SetUp() override {
    root.resizeChild(list, mui::MuLayout::Weighted, 1);
    list->addColumn(1, MuList::Text, "Name", -1);
    list->addColumn(2, MuList::Image, nullptr, -1);
    fill(5);
    list->registerObserver(&events, true);
    host.host(mui::getWidget(&root));
    host.focusWindow(true);
  }
  void fill(int n) {
    list->removeAllRows();
    for (int i = 0; i < n; i++)
      list->addRowData(-1, {("row " + std::to_string(i)).c_str(), "user"});
  }
  wvw::WTable* table() { return static_cast<wvw::WTable*>(mui::getWidget(list)); }
  // Steps apart by spaces: c<row> a click, w<ms> a wait, s<row> the
  // program's selection, r<row> and a<row> a row removed and added, R all
  // removed, H E U D the keys Home, End, Up and Down.
  void run(const std::string& script) {
    std::istringstream in(script);
    for (std::string s; in >> s;) {
      int n = s.size() > 1 ? std::stoi(s.substr(1)) : 0;
      if (s[0] == 'c') {
        for (int mask : {1, 0}) host.pointer({10, 2 + table()->rowHeight * n + 3}, mask);
      } else if (s[0] == 'w') {
        clock.advance(n);
      } else if (s[0] == 's') {
        list->setSelectedRow(n);
      } else if (s[0] == 'r') {
        list->removeRow(n);
      } else if (s[0] == 'a') {
        list->addRowData(n, {"new", ""});
      } else if (s[0] == 'R') {
        list->removeAllRows();
      } else {
        const unsigned keys[] = {fb::keysym::Home, fb::keysym::End, fb::keysym::Up,
                                 fb::keysym::Down};
        host.press(keys[std::string("HEUD").find(s[0])]);
      }
    }
  }

  gwtest::DrivenClock clock;
  gwtest::WvwBackEnd backEnd;
  Look look;
  Events events;
  mui::MuLayoutWvw root{nullptr, "root", mui::MuLayout::Vertical};
  MuList* list = mui::muList(&root, "list", MuList::KeepSelection, &look);
  gwtest::WidgetHost host{{200, 160}};
};

TEST_F(MuListWvwTest, OnlyTheUsersSelectionClicksAndDoubleClicksRaiseEvents) {
  const struct {
    const char* name;
    const char* script;
    const char* events;
    int selected;
  } rows[] = {{"the program's selection", "s2", "", 2},
              {"the program selecting a refused row", "s4", "", -1},
              {"the program selecting past the end", "s2 s5", "", -1},
              {"a click", "c2", "0 1 ", 2},
              {"a double click", "c2 w499 c2", "0 1 2 ", 2},
              {"two clicks too far apart", "c2 w501 c2", "0 1 1 ", 2},
              {"three clicks", "c2 c2 c2", "0 1 2 1 ", 2},
              {"clicks on two rows", "c1 c2", "0 1 0 1 ", 2},
              {"a click below the rows", "c2 w600 c6", "0 1 1 ", 2},
              {"Home", "H", "0 ", 1},
              {"End twice", "E E", "0 ", 3},
              {"Down twice", "D D", "0 0 ", 2},
              {"Up from the first", "H U", "0 ", 1}};
  for (const auto& r : rows) {
    list->setSelectedRow(-1);
    clock.advance(1000);
    events.log.clear();
    run(r.script);
    EXPECT_EQ(events.log, r.events) << r.name;
    EXPECT_EQ(list->getSelectedRow(), r.selected) << r.name;
  }
}

// The selection used to stay at its index, naming whichever row moved into
// it; an owner acting on the selection then acted on another row.
TEST_F(MuListWvwTest, TheSelectionStaysOnItsRowWhileRowsComeAndGo) {
  const struct {
    const char* name;
    const char* script;
    int selected;
  } rows[] = {{"removed above", "r0", 1}, {"removed below", "r4", 2}, {"removed itself", "r2", -1},
              {"added above", "a0", 3},   {"added below", "a3", 2},   {"all removed", "R", -1}};
  for (const auto& r : rows) {
    fill(5);
    run("s2");
    events.log.clear();
    run(r.script);
    EXPECT_EQ(list->getSelectedRow(), r.selected) << r.name;
    if (r.selected >= 0) {
      EXPECT_STREQ(list->getCell(r.selected, 0), "row 2") << r.name;
    }
    EXPECT_EQ(events.log, "") << r.name;
  }
}

// Every cell written used to reload the table: three reloads a row here.
TEST_F(MuListWvwTest, FillingReloadsTheTableOnceBeforeItIsNextUsed) {
  auto* l = static_cast<mui::MuListWvw*>(list);
  host.render();
  int before = l->reloadCount();
  fill(1000);
  EXPECT_EQ(l->reloadCount(), before);
  list->setSelectedRow(999);  // scrolls over the rows as they are now
  int first = table()->scrollbar.slider.position.y;
  EXPECT_TRUE(first > 990 && first < 999) << first;
  fill(3);
  host.render();  // draws the rows as they are now: no scroll bar
  EXPECT_FALSE(table()->scrollbar.isVisible());
  EXPECT_EQ(l->reloadCount(), before + 2);
}

// On a canvas, as in a dialog: a heading row, a red row, the selected row
// and a row whose image cannot be found. The heading's text is the widest
// but takes no room.
TEST_F(MuListWvwTest, LooksAsTheGoldenImage) {
  wvw::WCanvas canvas;
  mui::MuListWvw headed(nullptr, "headed", MuList::Headings, &look);
  headed.addColumn(1, MuList::Text, "Name", -1);
  headed.addColumn(2, MuList::Image, nullptr, -1);
  headed.addColumn(3, MuList::Text, "Kind", 50);
  headed.addRowData(-1, {"Users and groups", "", ""});
  headed.addRowData(-1, {"ada", "user", "user"});
  headed.addRowData(-1, {"staff", "group", "group"});
  headed.addRowData(-1, {"Everybody", "global", "all"});
  headed.addRowData(-1, {"missing image", "nosuchimage", "?"});
  look.heading = 0;
  canvas.add(mui::getWidget(&headed), plat::Rect(4, 4, 196, 146), nullptr);
  gwtest::WidgetHost window({200, 150});
  window.host(&canvas);
  headed.setSelectedRow(2);
  EXPECT_TRUE(gwtest::matchesGolden(window.render(), GW_GOLDEN_DIR "/list.png"));
  gfxutil::Font* font = table()->getStyle()->font;
  EXPECT_EQ(headed.getMaxWidth(),
            20 + font->textWidth("missing image") + 8 + 16 + 4 + font->textWidth("group") + 8);
}

}  // namespace
