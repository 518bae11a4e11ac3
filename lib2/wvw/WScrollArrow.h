// The arrow buttons at the ends of a scroll bar: a bevelled face with an 8x8
// one-bit icon centred on it. Button 0 holds it down; every change of the
// held state is reported with handleChanged(this), and a release over the
// button with handleClick(this). It never takes the keyboard focus, so that
// the arrow keys stay with the widget that owns the bar (a table keeps Up
// and Down for its rows).
#pragma once

#include <array>

#include "lib2/wvw/Widget.h"

namespace wvw {

class WScrollArrow : public Widget {
 public:
  static constexpr int IconSize = 8;
  using Icon = std::array<unsigned char, IconSize>;  // top row first, MSB leftmost

  explicit WScrollArrow(const Icon& icon) : Widget(nullptr), icon_(icon) {}

  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handlePtrLeave(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override { return plat::Point(IconSize + 6, IconSize + 6); }
  bool acceptsFocus() const override { return false; }

  bool isDown() const { return down_; }

 private:
  void setDown(bool down);

  Icon icon_;
  bool down_ = false;
};

}  // namespace wvw
