// A button with the raised, bevelled look: a vertical gradient face, a bevel
// that sinks while pressed and a rounded focus ring. The child sits inset by
// 3 pixels on every side, following the button's size.
#pragma once

#include "lib2/wvw/WButton.h"

namespace wvw {

class WBevelButton : public WButton {
 public:
  explicit WBevelButton(bool focusable);

  bool handleFocus(bool reverse, Widget* w) override;
  bool handleChanged(Widget* w) override;
  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  void setChild(Widget* w) override;

  // Repaints only the bevel ring around the face.
  void invalidateBevel();

 protected:
  void placeChild();
};

}  // namespace wvw
