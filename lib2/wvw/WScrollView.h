// Shows one child that may be larger than the view through a clipping
// viewport, with a horizontal and a vertical scroll bar that appear only when
// the child does not fit. The wheel (buttons 3 and 4) scrolls by a quarter of
// the view. The scroll offset is the pair (hbar's x, vbar's y).
//
// The child is not owned; it is hosted by the viewport, which starts and
// stops it with the view, and a view that goes first lets go of it.
// updateScrollBars is the one place that lays the view out; it does not run
// again from within itself (setting a slider reports a change, which would
// otherwise start another layout midway).
#pragma once

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WScrollbar.h"

namespace wvw {

class WScrollView : public WLayout {
 public:
  explicit WScrollView(int step);

  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handleClick(Widget* w) override;
  bool handleChanged(Widget* w) override;
  bool handleResize(Widget* w) override;

  // Null takes the child out.
  void setChild(Widget* w);
  void scrollTo(const plat::Point& p);
  void scrollBy(const plat::Point& d);
  plat::Point visibleSize() const;
  // The part of the child in view, in the child's coordinates.
  plat::Rect visibleRect() const;
  void updateScrollBars();

  WChild<WLayout> viewport{true};
  WChild<Widget*> child{&viewport};  // after the viewport, which lists it
  WChild<WScrollbar> hbar;
  WChild<WScrollbar> vbar;

 private:
  bool updating_ = false;
};

}  // namespace wvw
