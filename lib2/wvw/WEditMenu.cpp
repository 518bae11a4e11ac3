#include "lib2/wvw/WEditMenu.h"

#include "AddLocStrings_wvw.h"
#include "lib1/loc/Localize.h"
#include "lib2/wvw/WMenuItem.h"
#include "lib2/wvw/WRootMenu.h"

namespace wvw {

namespace {

AddLocStrings_wvw addLocStrings;

std::unique_ptr<WMenuItem> itemIf(bool wanted, WMenu* menu, const char* key) {
  if (!wanted) return nullptr;
  return std::make_unique<WMenuItem>(menu, loc::localize(loc::msgid_t(key)), false);
}

}  // namespace

WEditMenu::Callback::~Callback() = default;

WEditMenu::WEditMenu(Callback* cb, int items)
    : callback_(cb), menu_(std::make_unique<WRootMenu>(nullptr)) {
  menu_->setVisible(false);
  menu_->setInputHandler(this);
  copyItem_ = itemIf(items & Copy, menu_.get(), "wvw_weditmenu_copy");
  pasteItem_ = itemIf(items & Paste, menu_.get(), "wvw_weditmenu_paste");
  selectAllItem_ = itemIf(items & SelectAll, menu_.get(), "wvw_weditmenu_selectall");
}

WEditMenu::~WEditMenu() {
  if (menu_->isVisible()) menu_->hide();
}

void WEditMenu::show(const plat::Point& p, Widget* w) { menu_->show(p, w); }

void WEditMenu::hide() { menu_->hide(); }

bool WEditMenu::handleClick(Widget* w) {
  int code = 0;
  if (copyItem_ && w == copyItem_.get()) code = Copy;
  if (pasteItem_ && w == pasteItem_.get()) code = Paste;
  if (selectAllItem_ && w == selectAllItem_.get()) code = SelectAll;
  // Hidden first: the command may take a while or change the widget tree.
  hide();
  if (code && callback_) callback_->editCommand(code);
  return false;
}

}  // namespace wvw
