// A labelled check box: the label at its minimum width, the box beside it
// aligned with the label's first line. A first-button press on the label
// focuses the box and its release toggles it; other buttons (the wheel, the
// right button) pass on, so scrolling over a label never flips the box.
#pragma once

#include "lib2/wvw/WCheckBox.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabelWidget.h"

namespace wvw {

class WLabelCheckBox : public WLabelWidget {
 public:
  WLabelCheckBox(const char* label, const char* text, WCheckBox::State state);

  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;

  WCheckBox* getCheckBox() { return &checkBox_; }

 private:
  WChild<WCheckBox> checkBox_;
};

}  // namespace wvw
