#include "lib2/ui/AutoHider.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib1/plat/TimerManager.h"
#include "tests/support/DrivenClock.h"

namespace {

using Edge = ui::AutoHider::Edge;

// Writes down the notifications as "+" (start) or "-" (end) and the target.
struct Notes : ui::AutoHider::Callback {
  void autoHiderNotify(bool animating, bool shown, ui::AutoHider*) override {
    seen.push_back(std::string(animating ? "+" : "-") + (shown ? "show" : "hide"));
  }
  std::vector<std::string> seen;
};

// A hider moving nothing but a recorded position.
struct FakeHider : ui::AutoHider, ui::AutoHider::Widget {
  FakeHider(Edge edge, int visible, plat::Point sz, Callback* cb = nullptr)
      : AutoHider(edge, visible, cb), own(sz) {
    widget_ = this;
  }
  void move(const plat::Point& p) override { pos = p; }
  plat::Point size() override { return own; }
  plat::Point parentSize() override { return parent; }
  bool yAxisUp() override { return up; }
  plat::Point own, parent{200, 100}, pos{-999, -999};
  bool up = false;
};

TEST(AutoHider, PlacesTheWindowOnItsEdge) {
  struct Row {
    const char* name;
    Edge edge;
    bool up;
    plat::Point shown, hidden;
  } rows[] = {
      {"top", ui::AutoHider::kTop, false, {80, 0}, {80, -16}},
      {"bottom", ui::AutoHider::kBottom, false, {80, 80}, {80, 96}},
      {"bottom with y up", ui::AutoHider::kBottom, true, {80, 0}, {80, -16}},
      {"top with y up", ui::AutoHider::kTop, true, {80, 80}, {80, 96}},
      {"left", ui::AutoHider::kLeft, false, {0, 40}, {-36, 40}},
      {"right", ui::AutoHider::kRight, false, {160, 40}, {196, 40}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    FakeHider h(r.edge, 4, {40, 20});
    h.up = r.up;
    h.show(true, 0);
    EXPECT_EQ(h.pos, r.shown);
    h.show(false, 0);
    EXPECT_EQ(h.pos, r.hidden);
  }
  FakeHider wide(ui::AutoHider::kTop, 4, {300, 20});
  wide.reposition();
  EXPECT_EQ(wide.pos.x, 0) << "a window wider than its parent starts at its left side";
  FakeHider tiny(ui::AutoHider::kLeft, 4, {3, 3});
  EXPECT_EQ(tiny.hideAmount(), 1) << "a window no larger than the strip still moves";
}

TEST(AutoHider, AtOnceNotifiesStartThenEnd) {
  Notes notes;
  FakeHider h(ui::AutoHider::kBottom, 4, {40, 40}, &notes);
  h.show(false, 0);
  EXPECT_EQ(notes.seen, (std::vector<std::string>{"+hide", "-hide"}));
  EXPECT_EQ(h.offset(), 36);
}

TEST(AutoHider, SlidesOutInAboutTheDurationAndBackFromMidway) {
  gwtest::DrivenClock clock;
  Notes notes;
  FakeHider h(ui::AutoHider::kBottom, 4, {40, 40}, &notes);
  h.show(false, -1);
  EXPECT_EQ(h.timerPeriod(), 20) << "300 ms over 36 px ticks no faster than every 20 ms";
  clock.advance(100);
  int midway = h.offset();
  EXPECT_GT(midway, 0);
  EXPECT_LT(midway, 36);
  h.show(true, -1);
  clock.advance(20);
  EXPECT_LT(h.offset(), midway) << "a reversal starts from where the window is";
  clock.advance(400);
  EXPECT_EQ(h.offset(), 0);
  EXPECT_EQ(h.timerPeriod(), 0) << "the timer stops at the end";
  EXPECT_EQ(notes.seen, (std::vector<std::string>{"+hide", "+show", "-show"}));
}

TEST(AutoHider, ALongStallFinishesTheMovementInOneStep) {
  gwtest::DrivenClock clock;
  Notes notes;
  FakeHider h(ui::AutoHider::kRight, 4, {1004, 20}, &notes);
  h.parent = {2000, 100};
  {
    // A modal loop's own manager holds the timer while 40 minutes pass.
    plat::TimerManager held(true);
    h.show(false, 300);
    clock.advance(40 * 60 * 1000);
    held.checkTimeouts();
  }
  EXPECT_EQ(h.offset(), 1000);
  EXPECT_EQ(notes.seen.back(), "-hide");
}

TEST(AutoHider, PreviewShowsAtOnceThenHidesWithTheDefaultDuration) {
  gwtest::DrivenClock clock;
  FakeHider h(ui::AutoHider::kTop, 4, {40, 20});
  h.show(false, 0);
  h.preview(500);
  EXPECT_EQ(h.offset(), 0);
  clock.advance(499);
  EXPECT_EQ(h.offset(), 0);
  clock.advance(1 + 400);
  EXPECT_EQ(h.offset(), 16);

  h.setLocked(true);
  h.preview(500);
  EXPECT_EQ(h.offset(), 16) << "locked: nothing moves";
  EXPECT_TRUE(h.isPreviewing()) << "locked: the preview timer still starts";
}

}  // namespace
