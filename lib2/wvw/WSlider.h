// The one-axis slider: the knob track of the scroll bars. The owner keeps
// the range of the unused axis at 0; minimum is the value that position 0
// stands for, kept for the owner and for the ticks of a discrete slider.
#pragma once

#include "lib2/wvw/WSlider2D.h"

namespace wvw {

class WSlider : public WSlider2D {
 public:
  explicit WSlider(bool isHorizontal) : horizontal(isHorizontal) {
    setKnobUnits(isHorizontal ? plat::Point(1, 0) : plat::Point(0, 1));
  }

  int minimum = 0;
  bool horizontal;
};

}  // namespace wvw
