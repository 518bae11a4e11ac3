#include "lib2/wvw/WLabel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lib2/gfxutil/Font.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WStyle.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

gfxutil::Font* font() { return WStyle::defaultStyle()->font; }

// The pixel at byte offset of the joined display lines; -1 is above the
// text, 99 below it.
plat::Point pointAt(const WLabel& l, int offset) {
  if (offset < 0 || offset == 99) return plat::Point(5, offset < 0 ? 0 : l.getSize().y - 1);
  for (int i = 0;; i++) {
    int len = int(strlen(l.getLine(i)));
    if (offset <= len || i + 1 == l.getLineCount()) {
      plat::Point p = l.getTextPos(i);
      return plat::Point(p.x + font()->textWidth(l.getLine(i), l.getLine(i) + offset), p.y + 1);
    }
    offset -= len;
  }
}

}  // namespace

TEST(WLabel, WrapsAtWordsAndNewlinesOnlyWhenMultiLine) {
  int fits = font()->textWidth("one two") + 8;
  struct {
    int width;
    bool multiLine;
    int lines;
  } cases[] = {{300, true, 2}, {fits, true, 3}, {fits, false, 1}};
  for (auto c : cases) {
    WLabel l("one two three\nfour", plat::ALIGN_LEFT);
    l.setMultiLine(c.multiLine);
    l.setSize(plat::Point(c.width, 60));
    EXPECT_EQ(l.getLineCount(), c.lines) << c.width;
  }
}

TEST(WLabel, RedrawsOnlyForADifferentText) {
  WLabel l("same", plat::ALIGN_LEFT);
  WidgetHost host(plat::Point(60, 20));
  host.host(&l);
  host.takeDirty();
  l.setLabel("same");
  EXPECT_EQ(host.dirtyText(), "");
  l.setLabel(nullptr);
  EXPECT_EQ(host.dirtyText(), "0,0-60,20");
  EXPECT_EQ(std::pair(l.getLineCount(), l.getMinWidth(10)), std::pair(0, 0));
  host.render();
}

// A selection ending where a line starts does not take that line in.
TEST(WLabel, CopiesTheDraggedSelection) {
  struct {
    int from, to;
    bool selectable;
    const char* copied;
  } cases[] = {{1, 4, true, "lph"},     {4, 1, true, "lph"},
               {8, 12, true, "ta\nga"}, {-1, 99, true, "alpha beta\ngamma"},
               {3, 3, true, "kept"},    {0, 5, false, "kept"}};
  for (auto c : cases) {
    WLabel l("alpha beta\ngamma", plat::ALIGN_LEFT);
    WidgetHost host(plat::Point(120, 60));
    l.setSelectable(c.selectable);
    host.host(&l);
    host.cutText = "kept";
    host.pointer(pointAt(l, c.from), 1);
    for (int mask : {1, 0}) host.pointer(pointAt(l, c.to), mask);
    l.editCommand(WLabel::CommandCopy);
    EXPECT_EQ(host.cutText, c.copied) << c.from << "-" << c.to;
    EXPECT_EQ(l.acceptsFocus(), c.selectable);
  }
}

TEST(WLabel, LooksMatchTheGoldenImage) {
  WCanvas canvas;
  WChild<WLabel> plain("Plain label", plat::ALIGN_LEFT),
      under("Centred and\nunderlined", plat::ALIGN_CENTRE), off("Disabled", plat::ALIGN_RIGHT),
      sel("Selected text", plat::ALIGN_LEFT);
  WidgetHost host(plat::Point(130, 110));
  for (auto [l, y, h] :
       {std::tuple(&plain, 0, 22), {&under, 22, 40}, {&off, 62, 22}, {&sel, 84, 22}})
    canvas.add(l, plat::Rect(0, y, 130, y + h), nullptr);
  under.setUnderlined(true);
  off.setEnabled(false);
  sel.setSelectable(true);
  host.host(&canvas);
  host.focusWindow(true);
  sel.selectAll();  // takes the focus; the drag below narrows the selection
  plat::Point at = sel.getPos();
  host.pointer(at + pointAt(sel, 2), 1);
  for (int mask : {1, 0}) host.pointer(at + pointAt(sel, 8), mask);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/labels.png"));
}
