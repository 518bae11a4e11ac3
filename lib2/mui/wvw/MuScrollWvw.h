// mui::MuScrollWvw: the scroll container on the widget set. The outer
// widget is a background that can fill itself and draw the border; inside
// it a scroll view shows a content layout, which holds the child's widget
// at the inset. Every layout decides how large the content is, and so
// whether the view shows its scroll bars: scrolling up and down, the child
// gets the visible width (16 pixels less when a bar will show) and its
// minimum height for it; scrolling sideways, the other way round.
//
// The view is 4 pixels smaller than the container on each axis, whatever
// the style. A container too small for that gives the view and the child
// no room rather than a negative size. A child that is replaced or removed
// leaves the content before it is destroyed.
#pragma once

#include "lib2/mui/MuScroll.h"
#include "lib2/wvw/WBgLayout.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WScrollView.h"

namespace mui {

class MuScrollWvw : public MuScroll, private wvw::WInputHandler {
 public:
  MuScrollWvw(MuContainer* parent, const char* id, int style);
  ~MuScrollWvw() override;

  // Leave room for the inset, for a scroll bar where the style reserves one,
  // and for the child's minimum; a reserved axis asks the child at an
  // unlimited length.
  int getMinWidth(int height) const override;
  int getMinHeight(int width) const override;
  void setBgColour(const fb::Colour& colour) override;
  void childAdded(MuElement* element) override;
  void childRemoved(MuElement* element) override;
  void destroyChildren() override;
  void layoutChildren() override;

 private:
  bool handleResize(wvw::Widget* w) override;

  // The pixels one arrow click scrolls.
  static constexpr int kStep = 15;

  // Containers before what they list: the view leaves the background, and
  // the content the view, while the container still stands.
  wvw::WChild<wvw::WBgLayout> background_;
  wvw::WChild<wvw::WLayout> content_{true};
  wvw::WChild<wvw::WScrollView> view_{kStep};
};

MuScroll* muScrollWvw(MuContainer* parent, const char* id, int style);

}  // namespace mui
