#include "lib2/mui/wvw/MuPagerWvw.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/Mui.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/wvw/WFrame.h"

namespace mui {

namespace {

// The part of the page inset that does not come from the margin.
constexpr int kInsetLogical = 4;

}  // namespace

MuPagerWvw::MuPagerWvw(MuContainer* parent, const char* id, Type type) : MuPager(parent, id, type) {
  wvw::Widget* widget;
  if (type == Tabs) {
    tabs_ = std::make_unique<wvw::WTabSheets>();
    tabs_->addCallback(this);
    widget = tabs_.get();
  } else {
    if (type == Framed) {
      container_ = std::make_unique<wvw::WFrame>(false);
    } else {
      container_ = std::make_unique<wvw::WLayout>(true);
    }
    widget = container_.get();
  }
  setImpl(std::make_unique<MuCommonWvw>(widget));
}

MuPagerWvw::~MuPagerWvw() { destroyChildren(); }

int MuPagerWvw::pageInset() const {
  if (getPagerType() == Plain) return 0;
  // Converted as the logical sizes are: to the nearest pixel, halves away
  // from zero.
  int p = kInsetLogical * gfxutil::ppmm.getValue();
  return (p >= 0 ? (p + 4) / 8 : (p - 4) / 8) + sizes[MuiSizes::Margin];
}

void MuPagerWvw::childAdded(MuElement* element) {
  // The widget first: the model then shows the current page, which needs
  // every page's widget in place.
  wvw::Widget* w = getWidget(element);
  if (tabs_) {
    tabs_->addSheet(element->getId() ? element->getId() : "", w, -1);
  } else {
    container_->add(w, nullptr);
  }
  MuPager::childAdded(element);
}

void MuPagerWvw::takeOutPage(int index) {
  if (tabs_) {
    tabs_->removeSheet(index);
  } else {
    container_->remove(getWidget(lookup(index)));
  }
}

void MuPagerWvw::childRemoved(MuElement* element) {
  int i = indexOf(element);
  PLAT_ASSERT(isValid(i));
  takeOutPage(i);
  MuPager::childRemoved(element);
}

void MuPagerWvw::destroyChildren() {
  for (int i = numChildren() - 1; i >= 0; i--) takeOutPage(i);
  MuPager::destroyChildren();
}

void MuPagerWvw::layoutChildren() {
  MuPager::layoutChildren();
  if (numChildren() == 0) return;
  int p = pageInset();
  if (tabs_) {
    tabs_->setPadding(p);
    return;
  }
  MuElement* page = lookup(getCurrent());
  plat::Point size = getSize();
  page->setPos(plat::Point(p, p));
  // A pager smaller than its insets gives the page no room rather than a
  // negative size.
  page->setSize(plat::Point(std::max(0, size.x - 2 * p), std::max(0, size.y - 2 * p)));
}

void MuPagerWvw::onSetPageTitle(int index) {
  if (!tabs_) return;
  const char* title = getPageTitle(index);
  const char* id = lookup(index)->getId();
  tabs_->setTabName(index, title ? title : id ? id : "");
}

void MuPagerWvw::onSetCurrent() {
  // Selecting the sheet already shown would stop and start its page again.
  if (!tabs_ || tabs_->getSelected() == getCurrent()) return;
  settingCurrent_ = true;
  tabs_->setSelected(getCurrent());
  settingCurrent_ = false;
}

bool MuPagerWvw::tabChanged(int, int newIndex) {
  if (settingCurrent_) return true;
  // The user's choice: switch the sheets now, as the program would, and
  // tell the observers afterwards. The switch is done, so the sheets are
  // told not to do it again, which an observer's own switch would undo.
  settingCurrent_ = true;
  tabs_->setSelected(newIndex);
  settingCurrent_ = false;
  tabChangedViaUi(newIndex);
  return false;
}

MuPager* muPagerWvw(MuContainer* parent, const char* id, MuPager::Type type) {
  return new MuPagerWvw(parent, id, type);
}

}  // namespace mui
