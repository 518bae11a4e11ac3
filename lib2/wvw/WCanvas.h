// A container that paints its whole area in the style's background colour
// before its children.
#pragma once

#include "lib2/wvw/WLayout.h"

namespace wvw {

class WCanvas : public WLayout {
 public:
  WCanvas() : WLayout(true) {}
  void render(fb::WritablePixelBuffer* pb) override;
};

}  // namespace wvw
