#include "libs/smisc/AddPrincipalDialog.h"

#include <algorithm>

#include "AddLocStrings_smisc.h"
#include "lib1/loc/Localize.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuButtonBar.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"
#include "libs/svr/SecurityPrincipal.h"

namespace smisc {

namespace {

AddLocStrings_smisc addLocStrings;

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

enum Kind { User = 0, Group = 1 };

// The dialog's width in logical units; its height follows the content.
constexpr int kWidth = 650;

}  // namespace

AddPrincipalDialog::AddPrincipalDialog(mui::MuDialog* parent) {
  plat::Point size(gfxutil::lengthToPixels(kWidth), 0);
  int flags = mui::MuDialog::FixedSize | mui::MuDialog::CodeModal | mui::MuDialog::FitHeight;
  dialog_.reset(mui::muDialog("unixauth_add", text("smisc_permissionssystemauth_dialog_title"),
                              size, flags, parent, nullptr));
  dialog_->registerObserver(this, true);

  mui::MuLayout* main = mui::muLayout(dialog_.get(), "main", mui::MuLayout::Vertical);
  typeChoice_ = mui::muChoice(main, "type", text("smisc_permissionssystemauth_dialog_type"), 0);
  typeChoice_->addItem(User, text("smisc_permissionssystemauth_dialog_type_user"));
  typeChoice_->addItem(Group, text("smisc_permissionssystemauth_dialog_type_group"));
  nameEdit_ =
      mui::muEdit(main, "name", text("smisc_permissionssystemauth_dialog_name"), mui::MuEdit::Text);
  // Both entries start at the same x, past the wider label.
  int split = std::max({typeChoice_->getLabelMinUnwrappedWidth(),
                        nameEdit_->getLabelMinUnwrappedWidth(), 0}) +
              mui::sizes[mui::MuiSizes::LabelPadding];
  typeChoice_->setLabelSplit(split, -1);
  nameEdit_->setLabelSplit(split, -1);
  buttonBar_ = std::make_unique<mui::MuButtonBar>(
      main, mui::MuButtonBar::Ok | mui::MuButtonBar::Cancel, true);
}

AddPrincipalDialog::~AddPrincipalDialog() {
  buttonBar_.reset();
  dialog_.reset();
}

bool AddPrincipalDialog::show() {
  typeChoice_->setSelection(User);
  nameEdit_->setText("");
  accepted_ = false;
  nameEdit_->focus();
  updateOk();
  dialog_->update();
  dialog_->show(true);
  return accepted_;
}

const char* AddPrincipalDialog::getName() const { return nameEdit_->getText(); }

bool AddPrincipalDialog::isGroup() const { return typeChoice_->getSelection() == Group; }

void AddPrincipalDialog::elementClicked(mui::MuElement* source) {
  int id = buttonBar_->isButton(source);
  if (id != mui::MuButtonBar::Ok && id != mui::MuButtonBar::Cancel) return;
  accepted_ = id == mui::MuButtonBar::Ok;
  dialog_->show(false);
}

void AddPrincipalDialog::elementChanged(mui::MuElement*) { updateOk(); }

void AddPrincipalDialog::updateOk() {
  buttonBar_->lookupButton(mui::MuButtonBar::Ok)
      ->enable(*getName() && svr::SecurityPrincipal::isWritableId(getName(), isGroup()));
}

}  // namespace smisc
