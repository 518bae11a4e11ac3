// A knob that moves over the widget on two axes. The position runs from 0 to
// range on each axis in abstract units; the knob's size shows the share of
// the whole it stands for, as in a scroll bar (range = the hidden part, knob
// units = the visible part). Button 0 on the knob drags it; a press beside
// it pages by one knob's worth of units. Only the knob is drawn: the track is
// the owner's background.
//
// Invariants: 0 <= position <= range on each axis (for a non-negative
// range; a negative range pins the position at 0), knobUnits >= 1, and every
// change of position is reported with handleChanged(this). The arithmetic
// runs in 64 bits, so ranges of millions of units (long tables) neither
// overflow nor lose the knob.
#pragma once

#include "lib2/wvw/Widget.h"

namespace wvw {

class WSlider2D : public Widget {
 public:
  WSlider2D();

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handlePtrLeave(Widget* w) override;
  bool handleChanged(Widget* w) override;
  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override { return plat::Point(1, 1); }
  bool acceptsFocus() const override { return false; }

  void setRange(plat::Point r);
  void setKnobUnits(plat::Point u);
  // Clamped into 0..range per axis; reports only a real change.
  void setPosition(plat::Point p);
  plat::Point knobPos() const;
  plat::Rect knobRect() const;

  // a / b rounded to the nearest, halves away from zero; 0 when b is 0.
  static int div(long long a, long long b);

  plat::Point range;
  plat::Point position;
  plat::Point knobUnits{1, 1};
  plat::Point knobSize;
  plat::Point dragOffset;
  bool dragging = false;
  bool flipY = false;
};

}  // namespace wvw
