#include "lib2/wvw/WFrame.h"

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

void WFrame::render(fb::WritablePixelBuffer* pb) {
  fb::fillRect(pb, plat::Rect(plat::Point(1, 1), size_ - plat::Point(1, 1)),
               toPixel(getStyle()->backgroundColour, pb));
  drawBevel(pb, plat::Rect(plat::Point(), size_), raised_, false);
  WLayout::render(pb);
}

plat::Point WFrame::getMinSize() const { return WLayout::getMinSize() + plat::Point(4, 4); }

}  // namespace wvw
