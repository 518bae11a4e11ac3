// A bevel button whose face is a label centred both ways; however short the
// text, the button is at least 60 pixels wide.
#pragma once

#include "lib2/wvw/WBevelButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabel.h"

namespace wvw {

class WLabelButton : public WBevelButton {
 public:
  WLabelButton(const char* text, bool focusable);

  plat::Point getMinSize() const override;
  WLabel* getLabel() { return &label_; }

 private:
  WChild<WLabel> label_;
};

}  // namespace wvw
