#include "lib2/wvw/WLabelWidget.h"

#include <gtest/gtest.h>

#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabelCheckBoxHK.h"
#include "lib2/wvw/WLabelText.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

TEST(WLabelWidget, SplitsShareTheRowAsFixedMinimumOrWeightedWidths) {
  WLabelText lt("Name:", 8);
  int lw = lt.getLabelWidget()->getMinWidth(24), cw = lt.getText()->getMinWidth(24);
  // The splits and the width; where the label ends and the child starts and ends.
  const int rows[][6] = {
      {0, -1, 200, lw, lw + 4, 200},      // label at minimum, padding, child fills
      {-1, -2, 304, 100, 104, 304},       // 300 left: one third and two thirds
      {100, 0, 300, 100, 100, 100 + cw},  // a fixed first element keeps no gap
      {0, 0, cw + 10, 6, 10, cw + 10},    // too narrow: the first one shrinks
      {0, 0, 2, 0, 4, 4 + cw},            // never a negative width
  };
  for (const auto& [labelSplit, childSplit, width, labelEnd, childStart, childEnd] : rows) {
    lt.setSplit(labelSplit, childSplit);
    plat::Rect child, label;
    WLabelWidget::calcSetSplit(lt, plat::Point(width, 24), &child, &label);
    EXPECT_EQ(std::vector({label.br.x, child.tl.x, child.br.x}),
              std::vector({labelEnd, childStart, childEnd}))
        << labelSplit << "," << childSplit;
  }
}

TEST(WLabelWidget, NullLabelGivesTheChildTheWholeRow) {
  WidgetHost host(plat::Point(150, 30));
  WLabelText lt(nullptr, 8);
  host.host(&lt);
  lt.handleResize(&lt);
  EXPECT_TRUE(lt.getChildRect(lt.getText()) == plat::Rect(0, 0, 150, 30) &&
              lt.getMinSize() == lt.getText()->getMinSize());
  host.unhost();
}

TEST(WLabelCheckBox, FirstButtonOnTheLabelTogglesAndOtherButtonsDoNot) {
  WidgetHost host(plat::Point(150, 20));
  WLabelCheckBox box("Enabled", WCheckBox::CheckImage, WCheckBox::Unchecked);
  host.host(&box);
  box.handleResize(&box);
  plat::Point onLabel(2, 10);
  for (int mask : {4, 0, 8, 0, 16, 0}) host.pointer(onLabel, mask);
  EXPECT_EQ(box.getCheckBox()->state, WCheckBox::Unchecked);
  for (int mask : {1, 0}) host.pointer(onLabel, mask);
  EXPECT_EQ(box.getCheckBox()->state, WCheckBox::Checked);
  host.unhost();
}

TEST(WLabelCheckBox, HotkeyLabelShowsWithoutItsMarks) {
  WLabelCheckBoxHK box("R&&D &only", WCheckBox::CheckImage);
  EXPECT_STREQ(box.getLabelWidget()->getLabel(), "R&D only");
}

TEST(WLabelWidgetLook, TextFieldAndCheckBoxRowsMatchTheGoldenImage) {
  WCanvas canvas;
  WChild<WLabelText> text("Name:", 16);
  WChild<WLabelCheckBox> box("Enabled", WCheckBox::CheckImage, WCheckBox::Checked);
  WidgetHost host(plat::Point(180, 48));
  canvas.add(&text, plat::Rect(0, 0, 180, 24), nullptr);
  canvas.add(&box, plat::Rect(0, 24, 180, 48), nullptr);
  text.getText()->setText("Ada", true);
  host.host(&canvas);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/wlabelwidget.png"));
}
