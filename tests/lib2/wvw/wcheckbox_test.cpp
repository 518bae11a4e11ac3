#include "lib2/wvw/WCheckBox.h"

#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = fb::keysym;

TEST(WCheckBox, ClicksLeaveIndeterminateForCheckedThenToggle) {
  WidgetHost host(plat::Point(16, 16));
  WCheckBox box(WCheckBox::CheckImage, WCheckBox::Indeterminate);
  host.host(&box);
  for (WCheckBox::State want : {WCheckBox::Checked, WCheckBox::Unchecked}) {
    for (int mask : {1, 0}) host.pointer(plat::Point(5, 5), mask);
    EXPECT_EQ(box.state, want);
  }
  for (int mask : {4, 0}) host.pointer(plat::Point(5, 5), mask);  // another button: no toggle
  EXPECT_EQ(box.state, WCheckBox::Unchecked);
  host.unhost();
}

TEST(WCheckBox, SpaceReleaseTogglesAndReturnDoesNot) {
  WidgetHost host(plat::Point(16, 16));
  WCheckBox box(WCheckBox::DotImage, WCheckBox::Unchecked);
  host.host(&box);
  for (bool down : {true, false}) box.handleKeyEvent(ks::Return, down, &box);
  EXPECT_EQ(box.state, WCheckBox::Unchecked);
  box.handleKeyEvent(ks::space, false, &box);  // the press went elsewhere
  EXPECT_EQ(box.state, WCheckBox::Checked);
  host.unhost();
}

TEST(WCheckBox, UnknownImageSetGivesAnEmptyBox) {
  WCheckBox box("no-such-set", WCheckBox::Checked);
  EXPECT_TRUE(box.getMinSize() == plat::Point() && box.getSize() == plat::Point());
}

TEST(WCheckBoxLook, EachStyleAndStateMatchesTheGoldenImage) {
  // The 20x14 boxes keep their well at (5,2) and mark at (6,3)-(14,11).
  WCanvas canvas;
  using C = WCheckBox;  // the last two are focused and disabled
  WChild<C> row[] = {{C::CheckImage, C::Unchecked},     {C::CheckImage, C::Checked},
                     {C::CheckImage, C::Indeterminate}, {C::DotImage, C::Checked},
                     {C::DotImage, C::Indeterminate},   {C::CheckImage, C::Checked},
                     {C::CheckImage, C::Checked}};
  for (int i = 0; i < 7; i++)
    canvas.add(&row[i], plat::Rect(2 + 17 * i, 2, 22 + 17 * i, 16), nullptr);
  WidgetHost host(plat::Point(124, 18));
  host.host(&canvas);
  host.focusWindow(true);
  canvas.setChildFocus(&row[5], false);
  row[6].setEnabled(false);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/check_boxes.png"));
}
