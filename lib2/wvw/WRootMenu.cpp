#include "lib2/wvw/WRootMenu.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/fb/Keysyms.h"
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

bool WRootMenu::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  // The popup holds the keyboard, so this is the one way out of it without
  // the pointer; the keys then go back where they went before.
  if (down && keysym == fb::keysym::Escape && isVisible()) {
    hide();
    return true;
  }
  return WMenu::handleKeyEvent(keysym, down, w);
}

}  // namespace wvw
