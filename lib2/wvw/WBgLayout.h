// A container with an optional background fill, an optional sunken inset
// around its edge and optional separator lines at its top and bottom. The
// lines and the inset are drawn after the children, over them. The owner sets
// the flags and the colour directly.
#pragma once

#include "lib2/wvw/WLayout.h"

namespace wvw {

class WBgLayout : public WLayout {
 public:
  explicit WBgLayout(bool withInset) : WLayout(true), inset(withInset) {}
  void render(fb::WritablePixelBuffer* pb) override;

  bool inset;
  bool lineAbove = false;
  bool lineBelow = false;
  bool fillBackground = false;
  fb::Colour background;
};

}  // namespace wvw
