#include "lib2/mui/wvw/MuCommonWvw.h"

#include "lib1/plat/Assert.h"
#include "lib1/plat/String.h"
#include "lib2/wvw/WLayout.h"

namespace mui {

MuCommonWvw::MuCommonWvw(wvw::Widget* widget) : widget_(widget) { PLAT_ASSERT(widget_); }

void MuCommonWvw::setTip(const char* tip) {
  if (!plat::String::equal(widget_->getTipText(), tip)) widget_->setTipText(tip);
}

wvw::Widget* getWidget(const MuElement* element) {
  PLAT_ASSERT(element);
  // The assertions name what is missing as the dialog model always has.
  const MuCommonWvw* c = dynamic_cast<const MuCommonWvw*>(element->getImpl());
  PLAT_ASSERT(c);
  return c->widget();
}

plat::Point originInWindow(const wvw::Widget* w) {
  plat::Point origin;
  for (; w->getParentLayout(); w = w->getParentLayout()) origin += w->getPos();
  return origin;
}

}  // namespace mui
