// mui::MuSliderWvw: the slider on the widget set, a one-axis discrete slider
// whose position runs from 0 to the width of the range; the value is the
// position plus the range's low end.
//
// A range reaches at most INT_MAX steps above its low end, as far as the
// widget counts; a wider one is cut there, and one given upside down is
// empty at its low end, both with a logged error. Values and ranges the
// program sets are guarded, so that only the user's moves become events.
#pragma once

#include "lib2/mui/MuSlider.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WDiscreteSlider.h"
#include "lib2/wvw/WInputHandler.h"

namespace mui {

class MuSliderWvw : public MuSlider, private wvw::WInputHandler {
 public:
  MuSliderWvw(MuContainer* parent, const char* id, int flags);

  void setValue(int value) override;
  int getValue() const override;
  void setRange(int min, int max) override;
  int getMin() const override { return min_; }
  int getMax() const override;

 private:
  bool handleChanged(wvw::Widget* w) override;
  // The slider's coordinate on its axis, and a point with only that one set.
  int along(plat::Point p) const { return isVertical() ? p.y : p.x; }
  plat::Point onAxis(int v) const { return isVertical() ? plat::Point(0, v) : plat::Point(v, 0); }

  int min_ = 0;
  bool settingValue_ = false;
  wvw::WChild<wvw::WDiscreteSlider> slider_;
};

MuSlider* muSliderWvw(MuContainer* parent, const char* id, int flags);

}  // namespace mui
