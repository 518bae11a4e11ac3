// mui::WDialogBorder: the outline a dialog with its own border draws round
// its canvas. It stands between the window and the canvas, gives the canvas
// its whole area and draws a line of `width` pixels along its edges over it,
// in the style's outline colour.
//
// The canvas belongs to the dialog's window; the border only lists it, and
// it leaves the border when the border goes.
#pragma once

#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"

namespace mui {

class WDialogBorder : public wvw::WLayout {
 public:
  // content is never null.
  explicit WDialogBorder(wvw::WCanvas* content);

  bool handleResize(wvw::Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;

 private:
  wvw::WChild<wvw::WCanvas*> content_;
  int width_ = 1;
};

}  // namespace mui
