// A one-bit mask drawn in the text colour (greyed while disabled), centred in
// the widget. The mask is static data of the creator: rows of whole bytes,
// the most significant bit leftmost. It never takes the focus.
#pragma once

#include "lib2/wvw/Widget.h"

namespace wvw {

class WIcon : public Widget {
 public:
  WIcon(const unsigned char* mask, const plat::Point& size);

  bool handleEnable(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override { return iconSize_; }
  bool acceptsFocus() const override { return false; }

 private:
  const unsigned char* mask_;  // not owned
  plat::Point iconSize_;
};

}  // namespace wvw
