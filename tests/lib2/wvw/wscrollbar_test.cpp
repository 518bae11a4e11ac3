#include "lib2/wvw/WScrollbar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/DrivenClock.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

// A vertical bar 16x100 over 1000 units, 5 per step.
struct Bar {
  DrivenClock clock;
  std::unique_ptr<WScrollbar> bar = std::make_unique<WScrollbar>(false, 5);
  WidgetHost host{plat::Point(16, 100)};
  Bar() {
    host.host(bar.get());
    bar->slider.setRange(plat::Point(0, 1000));
  }
  int pos() const { return bar->slider.position.y; }
};

}  // namespace

TEST(Scrollbar, HoldingAnArrowRepeatsFasterDownTo100ms) {
  Bar b;
  b.host.pointer(plat::Point(8, 95), 1);
  std::string steps;
  for (int t = 1, last = 0; t <= 1500; t++) {
    b.clock.advance(1);
    if (b.pos() == last) continue;
    steps += std::to_string(t) + " ";
    last = b.pos();
  }
  EXPECT_EQ(steps, "300 540 732 885 1007 1107 1207 1307 1407 ");
  b.host.pointer(plat::Point(8, 95), 0);
  EXPECT_EQ(b.pos(), 50);  // the release is a click: one step more
}

TEST(Scrollbar, AShortClickMovesOneStepAndTheRepeatEnds) {
  Bar b;
  b.bar->slider.setPosition(plat::Point(0, 100));
  b.host.pointer(plat::Point(8, 3), 1);
  b.clock.advance(200);
  b.host.pointer(plat::Point(8, 3), 0);
  b.clock.advance(2000);
  EXPECT_TRUE(b.pos() == 95 && !b.bar->repeatTimer.isStarted()) << b.pos();
}

TEST(Scrollbar, DestroyingARepeatingBarStopsItsTimer) {
  Bar b;
  b.host.pointer(plat::Point(8, 95), 1);
  b.host.unhost();
  b.bar.reset();
  b.clock.advance(1000);  // a live timer would call into the freed bar
}
