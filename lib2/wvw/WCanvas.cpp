#include "lib2/wvw/WCanvas.h"

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

void WCanvas::render(fb::WritablePixelBuffer* pb) {
  fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(getStyle()->backgroundColour, pb));
  WLayout::render(pb);
}

}  // namespace wvw
