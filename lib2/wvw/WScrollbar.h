// A scroll bar: two arrow buttons with a one-axis slider between them, on a
// dark background. Its position and range are the slider's. A click on an
// arrow moves one step; holding it repeats on a timer that starts at 300 ms
// and speeds up by a fifth each round down to 100 ms.
//
// The repeat timer runs from a change of an arrow's held state until a
// timeout finds no arrow held; destroying the bar stops it.
#pragma once

#include "lib1/plat/Timer.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WScrollArrow.h"
#include "lib2/wvw/WSlider.h"

namespace wvw {

class WScrollbar : public WLayout, public plat::Timer::Callback {
 public:
  WScrollbar(bool horizontal, int step);
  ~WScrollbar() override;

  bool handleClick(Widget* w) override;
  bool handleChanged(Widget* w) override;
  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  bool handleTimeout(plat::Timer* timer) override;

  WChild<WSlider> slider;
  int step;
  WChild<WScrollArrow> decButton;
  WChild<WScrollArrow> incButton;
  plat::Timer repeatTimer{this};

 private:
  void moveBy(int units);
};

}  // namespace wvw
