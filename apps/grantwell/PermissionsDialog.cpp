#include "apps/grantwell/PermissionsDialog.h"

#include <algorithm>

#include "AddLocStrings_grantwell.h"
#include "AddLocStrings_sui.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/os/AppLoop.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/MuMessageBox.h"
#include "lib2/plat/SettingsFile.h"
#include "lib2/ui/unix/AboutDialog.h"
#include "libs/smisc/PermissionsSchemeSystemAuth.h"
#include "libs/svr/Permissions.h"
#include "libs/svr/SAuthentication.h"
#include "libs/svr/SecurityPrincipalStore.h"

PLAT_LOG_WRITER(vlog, "PermissionsDialog");

namespace {

AddLocStrings_sui suiStrings;
AddLocStrings_grantwell grantwellStrings;

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

// The window's size in logical units of text: it grows with TextSizeFactor.
constexpr int kWidth = 830;
constexpr int kHeight = 1250;

// Each backslash doubled, so that the box shows what reads back as value.
plat::DString escaped(const char* value) {
  plat::DString out;
  for (const char* c = value; *c; c++) {
    if (*c == '\\') out.appendChar_('\\');
    out.appendChar_(*c);
  }
  return out;
}

}  // namespace

PermissionsDialog::PermissionsDialog() : sui::PermissionsEditorImpl(nullptr) {
  plat::Point size(gfxutil::textLengthToPixels(kWidth), gfxutil::textLengthToPixels(kHeight));
  dialog_.reset(mui::muDialog("grantwell", os::getLongAppName(), size, mui::MuDialog::FixedSize,
                              nullptr, nullptr));

  mainLayout_ = mui::muLayout(dialog_.get(), "main", mui::MuLayout::Vertical);
  init(mainLayout_);
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns())
    if (!sui::isStandardPerm(defn.code)) addPermission(defn.code);
  auto scheme = std::make_unique<smisc::PermissionsSchemeSystemAuth>(this);
  systemScheme_ = scheme.get();
  addScheme(svr::SAuthSystem, std::move(scheme));
  svr::SecurityPrincipal::resolver = &resolver_;

  auto spacer = [](mui::MuLayout* in) {
    in->resizeChild(mui::muStatic(in, "spacer", nullptr, mui::MuStatic::Text),
                    mui::MuLayout::Weighted, 1);
  };
  spacer(mainLayout_);
  mui::MuLayout* row = mui::muLayout(mainLayout_, "tl", mui::MuLayout::Horizontal);
  spacer(row);
  mui::muImage(row, "downarrow", "entrydown", plat::Point());
  refreshText_ = mui::muButton(row, "refreshtext", text("update_text_button"), mui::MuButton::Text,
                               0, plat::Point());
  refreshUi_ = mui::muButton(row, "refreshui", text("update_ui_button"), mui::MuButton::Text, 0,
                             plat::Point());
  mui::muImage(row, "uparrow", "entryup", plat::Point());
  spacer(row);
  spacer(mainLayout_);
  mui::muStatic(mainLayout_, "label", text("edit_permissions"), mui::MuStatic::Text);
  edit_ = mui::muEdit(mainLayout_, "permissionstring", nullptr, mui::MuEdit::Text);
  mui::MuLayout* linkRow = mui::muLayout(mainLayout_, "layout", mui::MuLayout::Horizontal);
  spacer(linkRow);
  aboutLink_ = mui::muButton(linkRow, "aboutLink", text("about_link"), mui::MuButton::Hyperlink, 0,
                             plat::Point());
  linkRow->resizeChild(aboutLink_, mui::MuLayout::Natural | mui::MuLayout::AlignEnd, 0);

  // Both refresh buttons as wide as the wider one needs.
  int width = std::max(refreshText_->getMinWidth(refreshText_->getSize().y),
                       refreshUi_->getMinWidth(refreshUi_->getSize().y));
  row->resizeChild(refreshText_, mui::MuLayout::Fixed, width);
  row->resizeChild(refreshUi_, mui::MuLayout::Fixed, width);

  dialog_->setActionKeyButton(mui::ActionKeyReturn, refreshText_);
  dialog_->registerObserver(this, true);
}

PermissionsDialog::~PermissionsDialog() {
  dialog_->registerObserver(this, false);
  // The elements go before the editor base, which keeps only pointers to
  // them, and before the resolver their principals may still ask.
  dialog_.reset();
}

plat::Configuration* PermissionsDialog::getConfig() { return plat::Configuration::global(); }

plat::ConfigParameter* PermissionsDialog::permissions() {
  plat::ConfigParameter* param = getConfig()->get("Permissions");
  PLAT_ASSERT(param);
  return param;
}

plat::String PermissionsDialog::permissionsValue() {
  return plat::String::adopt(permissions()->getValueStr());
}

mui::MuElement* PermissionsDialog::element(const char* path) const {
  mui::MuElement* e = mainLayout_->lookupElement(path);
  PLAT_ASSERT_MSG(e, "%s", path);
  return e;
}

void PermissionsDialog::show() {
  dialog_->show(true);
  updateUi(systemScheme_);
  // Each row added was selected on the way, which scrolled to it.
  if (getList()->getRowCount() > 0) getList()->ensureRowVisible(0);
  showControls();
  enableControls(false);

  // A configured list that does not parse shows no rows; its text goes into
  // the box, so that it can be corrected instead of being overwritten by
  // the next change unseen.
  plat::String value = permissionsValue();
  try {
    svr::SecurityPrincipalStore::validate(value.get());
  } catch (const plat::Exception& e) {
    vlog().error("Permissions: %s", e.str());
    // Cut, it could read back as a valid list of fewer principals.
    if (!edit_->setText(escaped(value.get()).get())) edit_->setText("");
  }
}

void PermissionsDialog::showControls() {
  for (const char* path :
       {"settings", "settings.l", "settings.l.permset.choice", "settings.l.permset"})
    element(path)->show(true);
}

void PermissionsDialog::enableControls(bool on) {
  for (const char* path :
       {"settings.l.permset.choice", "settings.l.permset", "settings.l.permcustom"})
    element(path)->enable(on);
  // The editor enables the ticks again for a Custom level.
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns()) {
    for (bool deny : {false, true})
      if (mui::MuCheck* tick = getTick(defn.code, deny)) tick->enable(false);
  }
  // Enabling moves nothing, so only hiding the help needs a new layout; a
  // layout for every principal loaded would cost more than loading it.
  if (on) return;
  element("settings.l.permcustom.help")->show(false);
  mainLayout_->update();
  dialog_->update();
}

void PermissionsDialog::addPrincipal(int index, const char* name, const char* image) {
  selected_ = index;
  enableControls(true);
  sui::PermissionsEditorImpl::addPrincipal(index, name, image);
  systemScheme_->principalSelected(selected_);
  getList()->setSelectedRow(selected_);
}

void PermissionsDialog::removePrincipal(int index) {
  sui::PermissionsEditorImpl::removePrincipal(index);
  refreshText_->enable(true);
  showControls();
  enableControls(false);
  // Selected through the editor, so that the level and the ticks show the
  // highlighted row rather than the principal that went.
  if (getList()->getRowCount() > 0) {
    selected_ = 0;
    selectPrincipal(selected_);
  }
}

void PermissionsDialog::elementEvent(mui::MuElement* source, int code) {
  mui::MuObserver::elementEvent(source, code);
  sui::PermissionsEditorImpl::elementEvent(source, code);
  if (code == mui::MuEventWindowDestroyed && source == dialog_.get()) {
    windowDestroyed_ = true;
    os::AppLoop::quit(1);
  }
}

void PermissionsDialog::elementClicked(mui::MuElement* source) {
  sui::PermissionsEditorImpl::elementClicked(source);
  if (source == refreshUi_) {
    refreshFromText();
  } else if (source == refreshText_) {
    refreshText();
  } else if (source == aboutLink_) {
    // Owned by the main window, so that the window manager keeps it above
    // that window instead of perhaps opening it underneath.
    // Made anew when another client destroyed its window: a dialog without
    // a window cannot show again, and the link would do nothing.
    if (!aboutDialog_ || aboutDialog_->isDestroyed())
      aboutDialog_ = std::make_unique<ui::AboutDialog>(nullptr, dialog_->getWinPtr(),
                                                       "grantwell48x48", plat::Point());
    aboutDialog_->show();
  }
}

void PermissionsDialog::refreshFromText() {
  plat::String typed(edit_->getText());
  plat::String value(typed.get());
  try {
    plat::processEscapes(value.data());
    // A list that does not parse is refused before it is stored, so that
    // neither the parameter nor the list loses what they hold.
    svr::SecurityPrincipalStore::validate(value.get());
  } catch (const plat::Exception&) {
    showInvalid(typed.get());
    return;
  }
  permissions()->setParam(value.get(), 50);
  updateUi(systemScheme_);
  if (getList()->getRowCount() > 0) selectPrincipal(selected_);
  mainLayout_->update();
  dialog_->update();
}

void PermissionsDialog::refreshText() {
  // A configured value that does not parse is all that is left of its
  // principals: the empty list is not stored over it, and the box keeps
  // what the person may be correcting there.
  if (systemScheme_->isValueUnreadable()) {
    showInvalid(escaped(permissionsValue().get()).get());
    return;
  }
  systemScheme_->permissionChanged(0, 0);
  plat::DString shown = escaped(permissionsValue().get());
  plat::String before(edit_->getText());
  if (!edit_->setText(shown.get())) {
    // Too long for the box: a cut text stored back would lose principals.
    edit_->setText(before.get());
    mui::MuMessageBox box(dialog_.get(), text("update_text_too_long"), mui::MuMessageBox::ErrorIcon,
                          nullptr, nullptr, true, nullptr);
    box.show();
  }
}

void PermissionsDialog::showInvalid(const char* typed) {
  plat::DString message;
  message.prf("%s\n\n%s", text("update_ui_invalid_string"), typed);
  // Owned by the main window: a code-modal box the window manager opened
  // underneath it would leave the person a window that takes no input.
  mui::MuMessageBox box(dialog_.get(), message.get(), mui::MuMessageBox::ErrorIcon, nullptr,
                        nullptr, true, nullptr);
  box.show();
}

void PermissionsDialog::dialogClosed(mui::MuDialog*) { os::AppLoop::quit(0); }
