// A container inside a bevelled frame, raised or sunken. The bevel takes two
// pixels on each side, which the minimum size adds to the children's extent.
#pragma once

#include "lib2/wvw/WLayout.h"

namespace wvw {

class WFrame : public WLayout {
 public:
  explicit WFrame(bool raised) : WLayout(true), raised_(raised) {}
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;

 private:
  bool raised_;
};

}  // namespace wvw
