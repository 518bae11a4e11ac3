// The plainest concrete widget, for tests of containers and of the widget
// base: it fills its area with one colour and asks for a fixed minimum size.
#pragma once

#include "lib2/fb/Draw.h"
#include "lib2/wvw/Widget.h"

namespace gwtest {

class Block : public wvw::Widget {
 public:
  explicit Block(fb::Colour c = wvw::Widget::Blue, wvw::WLayout* layout = nullptr)
      : wvw::Widget(layout), colour(c) {}
  void render(fb::WritablePixelBuffer* pb) override {
    fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(colour, pb));
  }
  plat::Point getMinSize() const override { return minSize; }

  fb::Colour colour;
  plat::Point minSize{10, 10};
};

}  // namespace gwtest
