// The value slider of dialogs: a fixed-size knob on a bevelled track with a
// tick per value, moved by the arrow keys of its axis and able to take the
// focus. A vertical one counts upwards (position 0 at the bottom).
//
// The knob size is set at each drawing (11 pixels along the axis, at most 20
// across); pointer handling in between uses the last drawn size.
#pragma once

#include "lib2/wvw/WSlider.h"

namespace wvw {

class WDiscreteSlider : public WSlider {
 public:
  explicit WDiscreteSlider(bool isHorizontal);

  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleFocus(bool reverse, Widget* w) override;
  bool handleEnable(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  bool acceptsFocus() const override { return enabled_ && visible_; }

 private:
  void drawTicks(fb::WritablePixelBuffer* pb);
};

}  // namespace wvw
