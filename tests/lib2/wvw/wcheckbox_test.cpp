// Check boxes: toggling by click and space, the three states, where the well
// and the mark are drawn, image sets, and the look of each style and state.
#include "lib2/wvw/WCheckBox.h"

#include <gtest/gtest.h>

#include "lib2/wvw/Keysyms.h"
#include "lib2/wvw/WCanvas.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = wvw::keysym;

TEST(WCheckBox, ClicksLeaveIndeterminateForCheckedThenToggle) {
  WidgetHost host(plat::Point(16, 16));
  WCheckBox box(WCheckBox::CheckImage, WCheckBox::Indeterminate);
  host.host(&box);
  for (WCheckBox::State want : {WCheckBox::Checked, WCheckBox::Unchecked}) {
    host.pointer(plat::Point(5, 5), 1);
    host.pointer(plat::Point(5, 5), 0);
    EXPECT_EQ(box.state, want);
  }
  // A release of another button does not toggle.
  host.pointer(plat::Point(5, 5), 4);
  host.pointer(plat::Point(5, 5), 0);
  EXPECT_EQ(box.state, WCheckBox::Unchecked);
  host.unhost();
}

TEST(WCheckBox, SpaceReleaseTogglesAndReturnDoesNot) {
  WidgetHost host(plat::Point(16, 16));
  WCheckBox box(WCheckBox::DotImage, WCheckBox::Unchecked);
  host.host(&box);
  host.topEvents.take();
  host.topEvents.name(&box, "x");
  box.handleKeyEvent(ks::Return, true, &box);
  box.handleKeyEvent(ks::Return, false, &box);
  EXPECT_EQ(box.state, WCheckBox::Unchecked);
  box.handleKeyEvent(ks::space, false, &box);  // the press went elsewhere
  EXPECT_EQ(box.state, WCheckBox::Checked);
  host.topEvents.take();
  box.setChecked(true);
  EXPECT_EQ(host.topEvents.take(), "");
  box.enableIndeterminate();
  EXPECT_EQ(host.topEvents.take(), "changed x");
  host.unhost();
}

TEST(WCheckBox, UnknownImageSetGivesAnEmptyBox) {
  WCheckBox box("no-such-set", WCheckBox::Checked);
  EXPECT_TRUE(box.getMinSize() == plat::Point() && box.getSize() == plat::Point());
}

TEST(WCheckBoxLook, EachStyleAndStateMatchesTheGoldenImage) {
  // The 20x14 boxes keep their well at (5,2) and mark at (6,3)-(14,11).
  WidgetHost host(plat::Point(124, 18));
  WCanvas canvas;
  WCheckBox off(WCheckBox::CheckImage, WCheckBox::Unchecked),
      on(WCheckBox::CheckImage, WCheckBox::Checked),
      ind(WCheckBox::CheckImage, WCheckBox::Indeterminate),
      dot(WCheckBox::DotImage, WCheckBox::Checked),
      dotInd(WCheckBox::DotImage, WCheckBox::Indeterminate),
      focused(WCheckBox::CheckImage, WCheckBox::Checked),
      greyed(WCheckBox::CheckImage, WCheckBox::Checked);
  WCheckBox* row[] = {&off, &on, &ind, &dot, &dotInd, &focused, &greyed};
  for (int i = 0; i < 7; i++)
    canvas.add(row[i], plat::Rect(2 + 17 * i, 2, 22 + 17 * i, 16), nullptr);
  host.host(&canvas);
  host.focusWindow(true);
  canvas.setChildFocus(&focused, false);
  greyed.setEnabled(false);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/check_boxes.png"));
  host.dismantle();
}
