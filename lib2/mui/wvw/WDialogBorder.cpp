#include "lib2/mui/wvw/WDialogBorder.h"

#include "lib1/plat/Assert.h"
#include "lib2/fb/Draw.h"
#include "lib2/wvw/WStyle.h"

namespace mui {

WDialogBorder::WDialogBorder(wvw::WCanvas* content) : wvw::WLayout(true), content_(this, content) {
  PLAT_ASSERT(content);
  add(content, nullptr);
}

bool WDialogBorder::handleResize(wvw::Widget* w) {
  if (w == this) setPos(content_.get(), plat::Rect(plat::Point(), size_));
  return wvw::WLayout::handleResize(w);
}

void WDialogBorder::render(fb::WritablePixelBuffer* pb) {
  wvw::WLayout::render(pb);
  fb::outlineRect(pb, plat::Rect(plat::Point(), size_), toPixel(getStyle()->borderColour, pb),
                  width_);
}

}  // namespace mui
