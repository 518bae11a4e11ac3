// mui::MuScroll: a single-child container that shows its child in a
// scrolling view when the child needs more room than the container has.
// The style bits say which way it scrolls and what it reserves:
//   ReserveBar   the minimum width leaves room for a vertical scroll bar;
//   Horizontal   the child scrolls sideways (else up and down), and the
//                minimum height leaves room for a horizontal scroll bar;
//   Border       a 2-pixel border around the view, the child inset by it.
#pragma once

#include "lib2/mui/MuContainerSingle.h"

namespace mui {

class MuScroll : public MuContainerSingle {
 public:
  enum Style { ReserveBar = 1, Horizontal = 2, Border = 4 };

  MuScroll(MuContainer* parent, const char* id, int style)
      : MuContainerSingle(parent, id), style_(style) {}

  int getStyle() const { return style_; }
  // Border (when the style has one) and margin, on each side of the child.
  plat::Point inset() const;

  const char* getType() const override { return "scroll"; }
  plat::DString getState() override;

 private:
  int style_;
};

}  // namespace mui
