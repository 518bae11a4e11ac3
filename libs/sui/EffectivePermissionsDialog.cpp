#include "libs/sui/EffectivePermissionsDialog.h"

#include "AddLocStrings_sui.h"
#include "lib1/loc/Localize.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuFactories.h"
#include "libs/svr/Permissions.h"

namespace sui {

namespace {

AddLocStrings_sui addLocStrings;

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

// The dialog's size in logical units.
constexpr int kWidth = 520;
constexpr int kHeight = 600;

}  // namespace

EffectivePermissionsDialog::EffectivePermissionsDialog() {
  plat::Point size(gfxutil::lengthToPixels(kWidth), gfxutil::lengthToPixels(kHeight));
  dialog_.reset(mui::muDialog("effective_perms",
                              text("sui_optionspermissions_effectivedialog_title"), size,
                              mui::MuDialog::Modal, nullptr, nullptr));
  dialog_->registerObserver(this, true);
  mui::MuLayout* main = mui::muLayout(dialog_.get(), "main", mui::MuLayout::Vertical);
  list_ = mui::muList(main, "list", 0, nullptr);
  main->resizeChild(list_, mui::MuLayout::Weighted, 1);
  list_->addColumn(ImageColumn, mui::MuList::Image, ".", -1);
  list_->addColumn(NameColumn, mui::MuList::Text, "Permission", -1);
  okButton_ = mui::muButton(main, "ok", text("sui_optionspermissions_effectivedialog_ok"),
                            mui::MuButton::Text, 0, plat::Point());
  main->resizeChild(okButton_, mui::MuLayout::Natural | mui::MuLayout::AlignCentre, 0);
}

EffectivePermissionsDialog::~EffectivePermissionsDialog() = default;

bool EffectivePermissionsDialog::show(const svr::Permissions& permissions) {
  list_->removeAllRows();
  int row = 0;
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns()) {
    list_->addRow(row);
    list_->setData(row, NameColumn, defn.name.get());
    list_->setData(row, ImageColumn, permissions.isAllowed(defn.code) ? "accept" : "deny");
    row++;
  }
  dialog_->show(true);
  return true;
}

void EffectivePermissionsDialog::elementClicked(mui::MuElement* source) {
  if (source == okButton_) dialog_->show(false);
}

}  // namespace sui
