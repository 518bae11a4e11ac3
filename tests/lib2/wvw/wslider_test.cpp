#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WDiscreteSlider.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

TEST(Slider, KnobSizeAndPlaceShowTheShareWithinItsLimits) {
  // size, range, knob units, position; knob size and place
  const int cases[][6] = {{100, 300, 100, 300, 25, 75},
                          {100, 300, 1, 0, 8, 0},
                          {6, 300, 100, 0, 6, 0},
                          // the products pass 32 bits on a long table
                          {1000, 2000000000, 1000000000, 1000000000, 333, 334}};
  for (const auto& [size, range, units, pos, knob, at] : cases) {
    WSlider s(true);
    s.setSize(plat::Point(size, 10));
    s.setRange(plat::Point(range, 0));
    s.setKnobUnits(plat::Point(units, 0));
    s.setPosition(plat::Point(pos, 0));
    EXPECT_EQ(std::pair(s.knobSize.x, s.knobPos().x), std::pair(knob, at)) << size << " " << range;
  }
}

TEST(Slider, PositionIsClampedAndReportedOnlyOnChange) {
  WSlider2D s;
  WidgetHost host(plat::Point(50, 50));
  host.host(&s);
  s.setRange(plat::Point(10, 20));
  host.topEvents.take();
  s.setPosition(plat::Point(-5, 999));
  s.setPosition(plat::Point(-5, 999));
  EXPECT_TRUE(s.position == plat::Point(0, 20) && host.topEvents.take() == "changed ?");
  s.setRange(plat::Point(10, 5));
  EXPECT_TRUE(s.position == plat::Point(0, 5) && host.topEvents.take() == "changed ?");
}

TEST(Slider, PressesBesideTheKnobPageOnEitherSide) {
  // Horizontal: a 25 px knob at 0..25 for position 0. Flipped: a 25 px knob,
  // at 75..100 for position 0 and at 25..50 for position 20.
  struct {
    bool flip;
    plat::Point at, from, to;
  } cases[] = {{false, {25, 5}, {0, 0}, {100, 0}},    // the knob's right edge is beside it
               {false, {40, 5}, {200, 0}, {100, 0}},  // left of the knob at 50..75
               {true, {5, 74}, {0, 0}, {0, 10}},      // above: up a page
               {true, {5, 50}, {0, 20}, {0, 10}}};    // the row just below the knob
  for (const auto& c : cases) {
    WSlider2D s;
    WidgetHost host(plat::Point(100, 100));
    s.flipY = c.flip;
    host.host(&s);
    s.setRange(c.flip ? plat::Point(0, 30) : plat::Point(300, 0));
    s.setKnobUnits(c.flip ? plat::Point(0, 10) : plat::Point(100, 0));
    s.setPosition(c.from);
    host.pointer(c.at, 1);
    EXPECT_EQ(s.position, c.to) << c.at.x << "," << c.at.y;
  }
}

TEST(Slider, DraggingFollowsThePointerAndEndsOnRelease) {
  WSlider s(true);
  WidgetHost host(plat::Point(110, 10));
  host.host(&s);
  s.setRange(plat::Point(100, 0));
  s.setKnobUnits(plat::Point(10, 0));
  host.pointer(plat::Point(3, 5), 1);
  host.pointer(plat::Point(53, 5), 1);
  EXPECT_EQ(s.position.x, 50);  // a 10 px knob over 100 px of travel
  for (int mask : {1, 0}) host.pointer(plat::Point(500, 5), mask);
  host.pointer(plat::Point(3, 5), 0);  // no longer dragging
  EXPECT_EQ(s.position.x, 100);
}

TEST(DiscreteSlider, ArrowKeysOfItsAxisStepAndVerticalCountsUp) {
  WDiscreteSlider v(false);
  WidgetHost host(plat::Point(20, 111));
  host.host(&v);
  host.focusWindow(true);
  v.setRange(plat::Point(0, 4));
  host.render();
  EXPECT_EQ(v.knobPos().y, 100);  // value 0 at the bottom
  for (unsigned k : {fb::keysym::Up, fb::keysym::Up, fb::keysym::Down}) host.press(k);
  EXPECT_EQ(v.position.y, 1);
}

TEST(DiscreteSlider, AHugeRangeDrawsOneTickPerPixel) {
  WDiscreteSlider s(true);
  WidgetHost host(plat::Point(111, 30));
  host.host(&s);
  s.setRange(plat::Point(10000000, 0));  // one tick per value would hang
  fb::ManagedPixelBuffer& pb = host.render();
  int n = 0, tick = Widget::toPixel(Widget::BevelLow, &pb);
  for (int x = 0; x < 111; x++) n += int(pb.getPixelAt(plat::Point(x, 25))) == tick;
  EXPECT_EQ(n, 101);
}

TEST(SliderLook, SlidersMatchTheGoldenImage) {
  WCanvas canvas;
  WChild<WDiscreteSlider> h(true), v(false), off(true);
  WChild<WSlider2D> two;
  WidgetHost host(plat::Point(150, 70));
  // Where, range and position; the first has five ticks, 25 px apart.
  const std::tuple<WSlider2D*, plat::Rect, plat::Point, plat::Point> sliders[] = {
      {&h, {4, 4, 115, 30}, {4, 0}, {1, 0}},
      {&off, {4, 36, 115, 50}, {2, 0}, {0, 0}},
      {&v, {120, 4, 146, 66}, {0, 3}, {0, 1}},
      {&two, {4, 52, 115, 68}, {4, 4}, {0, 0}}};
  for (auto [s, rect, range, pos] : sliders) {
    canvas.add(s, rect, nullptr);
    s->setRange(range);
    s->setPosition(pos);
  }
  host.host(&canvas);
  host.focusWindow(true);
  h.requestFocus();
  off.setEnabled(false);
  two.setKnobUnits({2, 2});
  two.setPosition({2, 0});
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/sliders.png"));
}
