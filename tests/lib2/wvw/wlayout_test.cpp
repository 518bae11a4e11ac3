#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WFrame.h"
#include "lib2/wvw/WStyle.h"
#include "tests/support/Block.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = fb::keysym;

namespace {

// A window holding canvas { a, inner { b, c }, d }, the blocks 10x10 in a row
// 20 apart (inner's at 0 and 20 inside it), a focused.
struct Tree : testing::Test {
  Tree() {
    canvas.add(&a, plat::Rect(0, 0, 10, 10), nullptr);
    canvas.add(&inner, plat::Rect(20, 0, 50, 10), nullptr);
    inner.add(&b, plat::Rect(0, 0, 10, 10), nullptr);
    inner.add(&c, plat::Rect(20, 0, 30, 10), nullptr);
    canvas.add(&d, plat::Rect(60, 0, 70, 10), nullptr);
    const std::pair<Widget*, const char*> names[] = {
        {&a, "a"}, {&b, "b"}, {&c, "c"}, {&d, "d"}, {&inner, "inner"}, {&canvas, "canvas"}};
    for (auto [w, name] : names) log.name(w, name);
    host.host(&canvas);
    host.focusWindow(true);
    a.requestFocus();
    log.take();
    host.takeDirty();
  }
  Block* focused() {
    for (Block* k : {&a, &b, &c, &d})
      if (k->hasFocus()) return k;
    return nullptr;
  }
  WCanvas canvas;
  WChild<WCanvas> inner;
  WChild<Block> a{Widget::Red}, b{Widget::Green}, c{Widget::Blue}, d{Widget::Orange};
  WidgetHost host{plat::Point(80, 20)};
  EventLog& log = host.topEvents;
};

}  // namespace

TEST_F(Tree, FocusKeysLeaveANestedContainerAndWrapAtTheWindow) {
  struct {
    Block* from;
    unsigned key;
    bool shift;
    Block* to;
  } cases[] = {{&c, ks::Tab, false, &d}, {&d, ks::Tab, false, &a},    {&d, ks::Tab, true, &c},
               {&a, ks::Tab, true, &d},  {&b, ks::Tab, true, &a},     {&a, ks::Down, false, &b},
               {&a, ks::Up, false, &d},  {&a, ks::KP_Tab, false, &b}, {&a, ks::Left, false, &a}};
  for (const auto& k : cases) {
    k.from->requestFocus();
    host.press(k.key, k.shift ? std::vector<unsigned>{ks::Shift_R} : std::vector<unsigned>{});
    EXPECT_EQ(focused(), k.to) << std::hex << k.key << " " << k.shift << " " << log.take();
  }
}

TEST_F(Tree, LeftPressTakesTheFocusFirstUnlessDisabledOrHidden) {
  host.pointer(plat::Point(25, 5), 1);
  EXPECT_EQ(log.take(), "leave a, move b 5,5, focus a off, focus b on, focus inner on, press b 0");
  for (bool hide : {false, true}) {
    hide ? d.setVisible(false) : d.setEnabled(false);
    for (int mask : {1, 0}) d.pointerEvent(plat::Point(1, 1), mask);
    EXPECT_EQ(focused(), &b);
    d.setEnabled(true);
  }
}

TEST_F(Tree, HidingOrDisablingTheFocusedWidgetMovesTheFocusBeforeReporting) {
  c.requestFocus();
  log.take();
  c.setEnabled(false);
  EXPECT_EQ(log.take(), "focus c off, focus inner off, focus d on, enable c");
  d.setVisible(false);
  EXPECT_EQ(log.take(), "focus d off, focus a on, visible d");
}

TEST_F(Tree, TabWithOneFocusableChildKeepsTheFocus) {
  for (Block* k : {&a, &b, &c}) k->setEnabled(false);
  d.requestFocus();
  host.press(ks::Tab);
  EXPECT_EQ(focused(), &d);
}

// canvas { a, inner { b, c }, d } rearranged; each row moves from the order
// the row before it left.
TEST_F(Tree, MovingAChildChangesTheTabOrderButNotItsPlace) {
  const struct {
    const char* name;
    Widget* moved;
    Widget* before;
    std::vector<Block*> tabs;  // from a on
  } rows[] = {
      {"d to the front", &d, &a, {&b, &c, &d, &a}},
      {"a to the end", &a, nullptr, {&d, &b, &c, &a}},
      {"before a stranger: to the end", &inner, &b, {&b, &c, &d}},
      {"in front of itself: stays", &d, &d, {&b, &c, &d}},
  };
  for (const auto& r : rows) {
    canvas.moveChild(r.moved, r.before);
    a.requestFocus();
    std::vector<Block*> visited;
    for (size_t i = 0; i < r.tabs.size(); i++) host.press(ks::Tab), visited.push_back(focused());
    EXPECT_EQ(visited, r.tabs) << r.name;
  }
  EXPECT_EQ(std::vector({canvas.getChildPos(&a), canvas.getChildPos(&d)}),
            std::vector<plat::Point>({{0, 0}, {60, 0}}));
}

TEST_F(Tree, RemovingTheFocusedChildMovesTheFocusOn) {
  // The last step leaves inner, which has nothing left to focus.
  const std::tuple<WLayout*, Block*, Block*> steps[] = {
      {&canvas, &a, &b}, {&inner, &b, &c}, {&inner, &c, &d}, {&canvas, &d, nullptr}};
  for (auto [from, w, next] : steps) {
    from->remove(w);
    EXPECT_EQ(focused(), next);
  }
  EXPECT_EQ(canvas.getFocusedChild(), nullptr);
}

TEST_F(Tree, PressCapturesTheChildUntilEveryButtonIsUp) {
  host.pointer(plat::Point(5, 5));
  host.pointer(plat::Point(5, 5), 1);
  log.take();
  host.pointer(plat::Point(65, 5), 1);  // over d: still a's, in a's coordinates
  EXPECT_EQ(log.take(), "move a 65,5");
  host.pointer(plat::Point(65, 5), 0);
  EXPECT_EQ(log.take(), "leave a, move d 5,5");
  host.pointer(plat::Point(5, 5), 1);
  host.pointer(plat::Point(6, 5), 0);
  EXPECT_EQ(log.take(), "leave d, move a 5,5, press a 0, move a 6,5, release a 0");
}

TEST_F(Tree, OnlyEnabledVisibleChildrenGetThePointerAndTheTopmostWins) {
  canvas.setPos(&d, plat::Point(5, 0));  // d overlaps a and lies above it
  host.pointer(plat::Point(7, 1));
  EXPECT_EQ(log.take(), "leave a, move d 2,1");
  d.setEnabled(false);
  a.setVisible(false);
  log.take();
  host.pointer(plat::Point(7, 2));  // neither gets a leave: they no longer count
  EXPECT_EQ(log.take(), "move canvas 7,2");
  a.setVisible(true);
  log.take();
  host.pointer(plat::Point(7, 3));
  EXPECT_EQ(log.take(), "move a 7,3");
}

TEST_F(Tree, RepaintRequestsCarryTheChildPositions) {
  c.invalidate();
  EXPECT_EQ(host.dirtyText(), "40,0-50,10");
  inner.setPos(&c, plat::Point(25, 5));
  EXPECT_EQ(host.dirtyText(), "40,0-50,5 40,5-55,10 45,10-55,15");
  inner.setVisible(false);
  host.takeDirty();
  c.invalidate();
  EXPECT_EQ(host.dirtyText(), "");
  canvas.remove(&a);
  EXPECT_EQ(host.dirtyText(), "0,0-10,10");
}

TEST_F(Tree, StyleOfAContainerReachesItsSubtreeOnly) {
  WStyle dark = *WStyle::defaultStyle();
  dark.backgroundColour = Widget::Black;
  inner.setStyle(&dark);
  EXPECT_EQ(c.getStyle(), &dark);
  EXPECT_EQ(d.getStyle(), WStyle::defaultStyle());
  EXPECT_EQ(Block().getStyle(), WStyle::defaultStyle());  // no parent at all
  EXPECT_EQ(host.dirtyText(), "20,0-30,10 40,0-50,10");   // the children, not inner
}

TEST(WLayout, SizesFollowTheChildren) {
  WFrame frame(true);
  WChild<Block> a, b;
  frame.add(&a, plat::Rect(10, 10, 30, 30), nullptr);
  frame.add(&b, plat::Rect(40, 10, 50, 20), nullptr);
  EXPECT_EQ(frame.getMinSize(), plat::Point(54, 34));
  frame.resizeToFit(4);
  EXPECT_EQ(std::vector({a.getPos(), b.getPos(), frame.getSize()}),
            std::vector<plat::Point>({{4, 4}, {34, 4}, {48, 28}}));
  frame.setPos(&a, plat::Rect(-5, -5, 5, 5));
  frame.remove(&b);
  EXPECT_EQ(frame.WLayout::getMinSize(), plat::Point(5, 5));
}

TEST(WLayout, ClipboardWithoutAParentHasNothing) {
  WCanvas canvas;
  EXPECT_EQ(canvas.getCutText(), nullptr);
  canvas.setCutText("lost");
  WidgetHost host(plat::Point(5, 5));
  host.host(&canvas);
  canvas.setCutText("kept");
  EXPECT_STREQ(canvas.getCutText(), "kept");
}

TEST(WLayoutDeathTest, PlacingAStrangerIsFatal) {
  WCanvas canvas;
  Block stranger;
  EXPECT_DEATH(canvas.setPos(&stranger, plat::Point(1, 1)), "'i != ws.end\\(\\)' failed");
  EXPECT_DEATH(canvas.getChildPos(&stranger), "'i != ws.end\\(\\)' failed");
}
