// One tab of a tabbed sheet widget: a focusable bevel button drawn as a tab,
// its text centred. The selected tab sits one pixel higher, joins its sheet
// and does not take the focus.
#pragma once

#include "lib2/wvw/WBevelButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabel.h"

namespace wvw {

class WTab : public WBevelButton {
 public:
  explicit WTab(const char* text);

  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  bool acceptsFocus() const override;

  // Places the tab in strip at x, one pixel lower when not selected.
  void setState(WLayout* strip, int x, bool selected);
  bool isSelected() const { return selected_; }
  WLabel* getLabel() { return &label_; }

 private:
  WChild<WLabel> label_;
  bool selected_ = false;
};

}  // namespace wvw
