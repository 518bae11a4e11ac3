#include "lib2/wvw/WChild.h"

#include "lib2/wvw/WLayout.h"

namespace wvw {

void takeOutChild(Widget* w) {
  // The container's own remove stops a child it started, with a repaint of
  // the place it leaves.
  if (WLayout* layout = w->getParentLayout()) layout->remove(w);
  if (w->isStarted()) w->stop();
  PLAT_ASSERT(!w->getParentLayout() && !w->isStarted());
}

void takeOutIfListed(WLayout* container, const Widget* w) {
  for (int i = 0; w && i < container->getChildCount(); i++) {
    if (container->getChild(i) != w) continue;
    container->remove(container->getChild(i));
    return;
  }
}

}  // namespace wvw
