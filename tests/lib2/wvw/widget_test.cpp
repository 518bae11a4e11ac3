#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WCanvas.h"
#include "tests/support/Block.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = fb::keysym;

TEST(Widget, SetSizeRepaintsTheUnionOfOldAndNewArea) {
  using Case = std::tuple<plat::Point, const char*, const char*>;
  for (auto [to, dirty, events] :
       {Case{{10, 10}, "", ""}, Case{{20, 5}, "0,0-20,10", "resize ?"},
        Case{{0, 5}, "0,0-10,10", "resize ?"}, Case{{70000, 1}, "0,0-32767,10", "resize ?"}}) {
    Block w;
    WidgetHost host(plat::Point(10, 10));
    host.host(&w);
    host.takeDirty();
    host.topEvents.take();
    w.setSize(to);
    EXPECT_EQ(host.dirtyText() + "; " + host.topEvents.take(), dirty + std::string("; ") + events);
  }
}

TEST(Widget, UnconsumedCopyAndPasteRingTheBell) {
  struct {
    unsigned key;
    bool ctrl, consumedBelow, result;
    int bells;
  } cases[] = {{'c', true, false, true, 1},
               {'C', true, true, true, 0},
               {'V', true, false, true, 1},
               {'v', false, false, false, 0}};
  Block a;
  WidgetHost host(plat::Point(10, 10));
  host.host(&a);
  for (const auto& k : cases) {
    host.bells = 0;
    host.topEvents.consume =
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
  w.setInputHandler(&closer);
  for (unsigned k : {ks::Tab, ks::Up, ks::Down}) {
    host.host(&w);
    EXPECT_TRUE(w.handleKeyEvent(k, true, &w));
    EXPECT_FALSE(w.isStarted());
  }
}

TEST(Widget, ToPixelNarrowsAndSwapsForTheFormat) {
  using Case = std::pair<fb::PixelFormat, unsigned>;
  for (auto [pf, pixel] :
       {Case{fb::PixelFormat(16, 16, false, true, 31, 63, 31, 11, 5, 0), 0xC240},
        Case{fb::PixelFormat(16, 16, true, true, 31, 63, 31, 11, 5, 0), 0x40C2},
        Case{fb::PixelFormat(32, 24, true, true, 255, 255, 255, 16, 8, 0), 0x0048C800}}) {
    fb::ManagedPixelBuffer pb(pf, plat::Point(1, 1), nullptr);
    EXPECT_EQ(Widget::toPixel(Widget::Orange, &pb), pixel);
  }
}

TEST(WidgetDeathTest, MisuseStopsLoudly) {
  EXPECT_DEATH(Block().setPos(plat::Point(1, 1)), "'parentLayout' failed");
  EXPECT_DEATH(Block().getPos(), "'parentLayout' failed");
  EXPECT_DEATH(Block().getRoot(nullptr), "'parent' failed");
  auto twoRoots = [] {
    WidgetHost h1(plat::Point(5, 5));
    WidgetHost h2(plat::Point(5, 5));
    Block a, b;
    h1.host(&a);
    h2.host(&b);
    a.mapPoint(plat::Point(), &b);
  };
  EXPECT_DEATH(twoRoots(), "'myRoot && myRoot == theirRoot' failed");
}

TEST(WidgetDeathTest, DestroyingAWidgetStillInAContainerIsFatal) {
  WCanvas canvas;
  EXPECT_DEATH({ Block w(Widget::Red, &canvas); }, "still in a container");
  auto stillStarted = [] {
    WidgetHost host(plat::Point(5, 5));
    Block w;  // goes first, while hosted
    host.host(&w);
  };
  EXPECT_DEATH(stillStarted(), "still started");
}
