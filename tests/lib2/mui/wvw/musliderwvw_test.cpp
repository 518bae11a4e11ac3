#include "lib2/mui/wvw/MuSliderWvw.h"

#include <gtest/gtest.h>

#include <climits>

#include "lib2/fb/Keysyms.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/wvw/WSlider.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using mui::MuSlider;

struct Counter : mui::MuObserver {
  void elementChanged(mui::MuElement*) override { changes++; }
  int changes = 0;
};

TEST(MuSliderWvw, TheValueStaysInTheRangeAndTheWidgetCountsFromItsLowEnd) {
  gwtest::WvwBackEnd backEnd;
  const struct {
    const char* name;
    int flags, lo, hi, set;
    int value, max;
    plat::Point position;
  } rows[] = {
      {"inside", 0, 10, 20, 15, 15, 20, {5, 0}},
      {"below", 0, 10, 20, 5, 10, 20, {0, 0}},
      {"above", 0, 10, 20, 25, 20, 20, {10, 0}},
      {"vertical", MuSlider::Vertical, 10, 20, 15, 15, 20, {0, 5}},
      {"far below a positive range", 0, 10, 20, INT_MIN, 10, 20, {0, 0}},
      {"far above a negative range", 0, -20, -10, INT_MAX, -10, -10, {10, 0}},
      // As many steps as the widget counts, and no more.
      {"the widest range", 0, INT_MIN, INT_MAX, 0, -1, -1, {INT_MAX, 0}},
      {"upside down", 0, 5, 1, 3, 5, 5, {0, 0}},
  };
  for (const auto& r : rows) {
    mui::MuSliderWvw slider(nullptr, "s", r.flags);
    slider.setRange(r.lo, r.hi);
    slider.setValue(r.set);
    EXPECT_EQ(slider.getValue(), r.value) << r.name;
    EXPECT_EQ(std::pair(slider.getMin(), slider.getMax()), std::pair(r.lo, r.max)) << r.name;
    EXPECT_EQ(static_cast<wvw::WSlider*>(mui::getWidget(&slider))->position, r.position) << r.name;
  }
}

// A press beyond the knob and an arrow key each move the value by one.
TEST(MuSliderWvw, OnlyTheUsersMovesAreEvents) {
  gwtest::WvwBackEnd backEnd;
  const struct {
    int flags;
    plat::Point hostSize, beyondKnob;
    unsigned key;
  } rows[] = {{0, {110, 20}, {100, 10}, fb::keysym::Right},
              {MuSlider::Vertical, {20, 110}, {10, 10}, fb::keysym::Up}};
  for (const auto& r : rows) {
    mui::MuSliderWvw slider(nullptr, "s", r.flags);
    Counter counter;
    slider.registerObserver(&counter, true);
    gwtest::WidgetHost host(r.hostSize);
    host.host(mui::getWidget(&slider));
    slider.setRange(0, 10);
    slider.setValue(8);
    slider.setRange(0, 4);  // moves the value down to 4
    slider.setValue(0);
    EXPECT_EQ(counter.changes, 0) << r.flags;
    host.pointer(r.beyondKnob, 1);
    host.pointer(r.beyondKnob, 0);
    host.focusWindow(true);
    slider.focus();
    host.press(r.key);
    EXPECT_EQ(slider.getValue(), 2) << r.flags;
    EXPECT_EQ(counter.changes, 2) << r.flags;
  }
}

}  // namespace
