// A row of a text label and one paired widget, the width split between them
// by fixed, automatic (minimum) or proportional shares, with the paired
// widget placed vertically against the label's text.
//
// A split above 0 is a width in pixels, 0 the element's minimum width, and a
// negative one a share of weight -split of what is left. The gap (padding)
// between the elements is kept only when the first one is not fixed. A label
// without text (null) gives the paired widget the whole rectangle. Widths
// that cannot be met come out as 0, never negative.
#pragma once

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabel.h"
#include "lib2/wvw/WLayout.h"

namespace wvw {

class WLabelWidget : public WLayout {
 public:
  enum VerticalAlignment { Top = 0, Centre = 1, Bottom = 2 };

  WLabelWidget(const char* label, int labelSplit, int childSplit);

  virtual void setOrder(bool childFirst);
  // Not owned; the old one leaves the layout. Laid out at the next resize.
  virtual void setChild(Widget* w);
  virtual void setLabel(const char* text);
  virtual void setSplit(int labelSplit, int childSplit);
  void setPadding(int padding);
  // Takes effect at the next layout.
  void setVerticalAlignment(VerticalAlignment a) { verticalAlignment_ = a; }

  bool handleEnable(Widget* w) override;
  bool handleResize(Widget* w) override;
  plat::Point getMinSize() const override;
  int getMinWidth(int height) const override;
  int getMinHeight(int width) const override;

  static void calcSetSplit(const WLabelWidget& w, plat::Point size, plat::Rect* childRect,
                           plat::Rect* labelRect);

  WLabel* getLabelWidget() { return &label_; }
  Widget* getChildWidget() const { return child_; }

 protected:
  WChild<WLabel> label_;

 private:
  int gap() const;
  bool hasText() const { return label_.getLabel() != nullptr; }

  WChild<Widget*> child_{this};
  bool order_ = false;
  int labelSplit_;
  int childSplit_;
  int padding_ = 4;
  VerticalAlignment verticalAlignment_ = Centre;
};

}  // namespace wvw
