#include "lib2/wvw/WRootMenu.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/wvw/WRoot.h"

namespace wvw {

WRootMenu::WRootMenu(WRoot* root) : root_(root) { setVisible(false); }

WRootMenu::~WRootMenu() {
  // The root's popup window would otherwise go on hosting a freed menu.
  if (isVisible()) hide();
}

void WRootMenu::show(const plat::Point& pos, Widget* relativeTo) {
  plat::Point corner;
  if (relativeTo) root_ = relativeTo->getRoot(&corner);
  PLAT_ASSERT_MSG(root_, "root");
  plat::Rect r = root_->getRect();
  setMaxHeight(r.height());
  plat::Point p = pos + corner;
  plat::Point at(std::max(r.tl.x, std::min(p.x, r.br.x - size_.x)),
                 std::max(r.tl.y, std::min(p.y, r.br.y - size_.y)));
  root_->showPopup(this, true, true, at);
  requestFocus();
  setVisible(true);
}

void WRootMenu::hide() {
  if (root_) root_->showPopup(this, false, false, plat::Point());
  setVisible(false);
}

}  // namespace wvw
