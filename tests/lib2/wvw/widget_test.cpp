#include <gtest/gtest.h>

#include "lib2/wvw/Keysyms.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WStyle.h"
#include "tests/support/Block.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = wvw::keysym;

namespace {

// A canvas in a window with three blocks a, b, c in a row, a focused.
struct Row : testing::Test {
  Row() {
    for (Block* k : {&a, &b, &c}) canvas.add(k, plat::Rect(0, 0, 10, 10), nullptr);
    b.setPos(plat::Point(20, 0));
    c.setPos(plat::Point(40, 0));
    host.host(&canvas);
    host.focusWindow(true);
    a.requestFocus();
    log.name(&a, "a"), log.name(&b, "b"), log.name(&c, "c");
    log.take();
  }
  ~Row() override {
    host.unhost();
    for (Block* k : {&a, &b, &c}) canvas.remove(k);
  }
  WidgetHost host{plat::Point(60, 20)};
  WCanvas canvas;
  Block a, b, c;
  EventLog& log = host.topEvents;
};

}  // namespace

TEST(Widget, SetSizeRepaintsTheUnionOfOldAndNewArea) {
  struct Case {
    plat::Point to;
    const char* dirty;
    const char* events;
  } cases[] = {{{10, 10}, "", ""},
               {{20, 5}, "0,0-20,10", "resize ?"},
               {{0, 5}, "0,0-10,10", "resize ?"},
               {{70000, 1}, "0,0-32767,10", "resize ?"}};
  for (const Case& k : cases) {
    Block w;
    WidgetHost host(plat::Point(10, 10));
    host.host(&w);
    host.takeDirty(), host.topEvents.take();
    w.setSize(k.to);
    EXPECT_EQ(host.dirtyText(), k.dirty) << k.to.x;
    EXPECT_EQ(host.topEvents.take(), k.events) << k.to.x;
  }
}

TEST(Widget, ButtonChangesBecomeReleasesAndPressesInBitOrder) {
  Block w;
  WidgetHost host(plat::Point(10, 10));
  host.host(&w);
  host.topEvents.take();
  host.pointer(plat::Point(3, 4), 0b101);
  host.topEvents.take();
  host.pointer(plat::Point(3, 4), 0b101);
  EXPECT_EQ(host.topEvents.take(), "");
  host.pointer(plat::Point(3, 4), 0b110);
  EXPECT_EQ(host.topEvents.take(), "release ? 0, press ? 1");
}

TEST_F(Row, LeftPressTakesTheFocusFirstUnlessDisabledOrHidden) {
  host.pointer(plat::Point(25, 5), 1);
  EXPECT_EQ(log.take(), "leave a, move b 5,5, focus a off, focus b on, press b 0");
  host.pointer(plat::Point(25, 5), 0);
  c.setEnabled(false);
  log.take();
  c.pointerEvent(plat::Point(1, 1), 1);  // straight to c: the canvas would route round it
  EXPECT_TRUE(b.hasFocus());
  c.setEnabled(true), c.setVisible(false);
  c.pointerEvent(plat::Point(1, 1), 0), c.pointerEvent(plat::Point(1, 1), 1);
  EXPECT_TRUE(b.hasFocus());
}

TEST_F(Row, FocusKeysMoveTheFocusOthersDoNot) {
  struct Case {
    unsigned key;
    bool shift;
    Block* next;
  } cases[] = {{ks::Tab, false, &b}, {ks::Tab, true, &c},   {ks::Down, false, &b},
               {ks::Up, false, &c},  {ks::Left, false, &a}, {ks::Right, false, &a}};
  for (const Case& k : cases) {
    a.requestFocus();
    host.press(k.key, k.shift ? std::vector<unsigned>{ks::Shift_R} : std::vector<unsigned>{});
    EXPECT_TRUE(k.next->hasFocus()) << std::hex << k.key << " " << k.shift;
  }
}

TEST_F(Row, DisablingTheFocusedWidgetMovesTheFocusBeforeReporting) {
  a.setEnabled(false);
  EXPECT_EQ(log.take(), "focus a off, focus b on, enable a");
  b.setVisible(false);
  EXPECT_EQ(log.take(), "focus b off, focus c on, visible b");
}

TEST_F(Row, UnconsumedCopyAndPasteRingTheBell) {
  struct Case {
    unsigned key;
    bool ctrl;
    bool consumedBelow;
    bool result;
    int bells;
  } cases[] = {{'c', true, false, true, 1},
               {'C', true, true, true, 0},
               {'V', true, false, true, 1},
               {'c', false, false, false, 0},
               {'v', false, false, false, 0}};
  for (const Case& k : cases) {
    host.bells = 0;
    log.consume =
        k.consumedBelow ? std::set<std::string>{"copy", "paste"} : std::set<std::string>{};
    if (k.ctrl) host.key(ks::Control_L, true);
    EXPECT_EQ(a.handleKeyEvent(k.key, true, &a), k.result) << char(k.key);
    if (k.ctrl) host.key(ks::Control_L, false);
    EXPECT_EQ(host.bells, k.bells) << char(k.key);
  }
}

TEST(Widget, FocusKeyOnAWidgetStoppedByItsHandlerIsSafe) {
  // A dialog that closes on a key stops the widget before the focus moves.
  struct Closer : WInputHandler {
    bool handleKeyEvent(unsigned, bool, Widget*) override {
      host->unhost();
      return false;
    }
    WidgetHost* host;
  } closer;
  Block w;
  WidgetHost host(plat::Point(10, 10));
  closer.host = &host;
  host.host(&w);
  w.setInputHandler(&closer);
  for (unsigned k : {ks::Tab, ks::Up, ks::Down}) {
    host.host(&w);
    EXPECT_TRUE(w.handleKeyEvent(k, true, &w));
    EXPECT_FALSE(w.isStarted());
  }
}

TEST(Widget, StoppedWidgetIsSilent) {
  WidgetHost host(plat::Point(10, 10));
  Block w;
  w.setSize(plat::Point(5, 5));
  host.host(&w);
  host.unhost();
  host.takeDirty();
  w.invalidate(), w.bell(), w.requestFocus();
  EXPECT_EQ(host.dirtyText(), "");
  EXPECT_EQ(host.bells, 0);
  EXPECT_FALSE(w.hasFocus() || w.isKeyPressed(ks::Shift_L));
  EXPECT_EQ(w.getStyle(), WStyle::defaultStyle());
}

TEST(Widget, ToPixelNarrowsAndSwapsForTheFormat) {
  struct Case {
    fb::PixelFormat pf;
    unsigned pixel;
  } cases[] = {{fb::PixelFormat(16, 16, false, true, 31, 63, 31, 11, 5, 0), 0xC240},
               {fb::PixelFormat(16, 16, true, true, 31, 63, 31, 11, 5, 0), 0x40C2},
               {fb::PixelFormat(32, 24, true, true, 255, 255, 255, 16, 8, 0), 0x0048C800},
               {fb::PixelFormat::rgb888(), 0xC84800}};
  for (const Case& k : cases) {
    fb::ManagedPixelBuffer pb(k.pf, plat::Point(1, 1), nullptr);
    EXPECT_EQ(Widget::toPixel(Widget::Orange, &pb), k.pixel);
  }
}

TEST(Widget, MapPointGoesThroughTheRootOrigins) {
  WidgetHost host(plat::Point(100, 100));
  WCanvas outer, inner;
  Block a, b;
  outer.add(&inner, plat::Rect(10, 20, 50, 50), nullptr);
  inner.add(&a, plat::Rect(5, 5, 10, 10), nullptr);
  outer.add(&b, plat::Rect(60, 0, 70, 10), nullptr);
  host.host(&outer);
  plat::Point origin;
  EXPECT_EQ(a.getRoot(&origin), &host);
  EXPECT_EQ(origin, plat::Point(115, 75));
  EXPECT_EQ(a.mapPoint(plat::Point(1, 1), &b), plat::Point(1 + 15 - 60, 1 + 25));
  host.unhost();
  inner.remove(&a), outer.remove(&inner), outer.remove(&b);
}

TEST(WidgetDeathTest, MisuseStopsLoudly) {
  EXPECT_DEATH(Block().setPos(plat::Point(1, 1)), "'parentLayout' failed");
  EXPECT_DEATH(Block().getPos(), "'parentLayout' failed");
  EXPECT_DEATH(Block().getRoot(nullptr), "'parent' failed");
  auto twoRoots = [] {
    WidgetHost h1(plat::Point(5, 5));
    WidgetHost h2(plat::Point(5, 5));
    Block a, b;
    h1.host(&a), h2.host(&b);
    a.mapPoint(plat::Point(), &b);
  };
  EXPECT_DEATH(twoRoots(), "'myRoot && myRoot == theirRoot' failed");
}

TEST(WidgetDeathTest, DestroyingAWidgetStillInAContainerIsFatal) {
  WCanvas canvas;
  EXPECT_DEATH({ Block w(Widget::Red, &canvas); }, "still in a container");
  EXPECT_DEATH(
      {
        WidgetHost host(plat::Point(5, 5));
        Block w;
        host.host(&w);
      },
      "still started");
}
