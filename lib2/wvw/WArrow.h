// A filled triangle pointing left, right, up or down, drawn in the text colour
// (greyed while disabled) inside the largest centred square, less a padding.
// It never takes the focus.
#pragma once

#include "lib2/wvw/Widget.h"

namespace wvw {

class WArrow : public Widget {
 public:
  enum Direction { Left = 0, Right = 1, Up = 2, Down = 3 };

  explicit WArrow(Direction d);

  bool handleEnable(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override { return plat::Point(4, 4); }
  bool acceptsFocus() const override { return false; }
  virtual void setPadding(int p);

  Direction getDirection() const { return direction_; }

 private:
  Direction direction_;
  int padding_ = 2;
};

}  // namespace wvw
