// A container with one child that draws a nine-piece picture over its whole
// area, corners unscaled and edges stretched (gfxutil::BorderScaledImage), and
// places the child in the picture's centre rectangle. Pointer events go on to
// the child. It never takes the focus.
//
// The picture is composed at the widget's size into composed_ once per new
// picture, borders or size (composedValid_); plain repaints reuse it. The
// child is borrowed; null means none.
#pragma once

#include "lib1/plat/SharedPtr.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/BorderScaledImage.h"
#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"

namespace wvw {

class WImageBorder : public WLayout {
 public:
  WImageBorder();

  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  bool acceptsFocus() const override { return false; }

  // The picture is fetched at the widget's current size (natural size while
  // unsized); size is not consulted.
  void load(const char* name, const plat::Point& size);
  // Negative or crossing borders are fatal assertions.
  void setBorders(int top, int right, int bottom, int left);
  void setChild(Widget* w);

  Widget* getChild() const { return child_; }

 private:
  void layoutChild();
  void compose();

  plat::SharedPtr<gfxutil::NamedImagePixelBuffer> namedPb_;
  gfxutil::BorderScaledImage border_;
  fb::ManagedPixelBuffer composed_;
  bool composedValid_ = false;
  WChild<Widget*> child_{this};
};

}  // namespace wvw
