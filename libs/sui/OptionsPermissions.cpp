#include "libs/sui/OptionsPermissions.h"

#include "AddLocStrings_sui.h"
#include "lib1/loc/LString.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Configuration.h"
#include "lib2/mui/MuConfigDialog.h"

namespace sui {

namespace {

AddLocStrings_sui addLocStrings;

const char* text(const char* key, bool raw = false) {
  return loc::localize(loc::msgid_t(key), __FILE__, __LINE__, raw);
}

// Where the page stands among the dialog's pages.
constexpr int kOrder = 50;

}  // namespace

OptionsPermissions::OptionsPermissions(mui::MuConfigDialog* dialog, mui::MuConfigSection* parent,
                                       const char* id, const char* title)
    : MuConfigSection(dialog, parent, id, title, kOrder), editor_(this) {
  editor_.init(getLayout());
  // The editor adds the core features itself; the global row's Chat,
  // File transfer and Printing boxes come with their tick rows.
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns())
    if (!isStandardPerm(defn.code)) editor_.addPermission(defn.code);
}

// The effective permissions dialog goes first, then the editor with its
// schemes and banner, while the section's layout still stands.
OptionsPermissions::~OptionsPermissions() = default;

void OptionsPermissions::showEffectivePermissions(const svr::Permissions& set) {
  if (!effectiveDialog_) effectiveDialog_ = std::make_unique<EffectivePermissionsDialog>();
  effectiveDialog_->show(set);
}

svr::SAuthentication OptionsPermissions::configuredKind() const {
  plat::Configuration* config = getConfigDialog()->getConfig();
  return config ? svr::getSAuthentication(config) : svr::SAuthInvalid;
}

PermissionsScheme* OptionsPermissions::getScheme() {
  svr::SAuthentication kind = configuredKind();
  return editor_.getScheme(kind == svr::SAuthSingleSignOn ? svr::SAuthSystem : kind);
}

void OptionsPermissions::elementEvent(mui::MuElement* source, int code) {
  mui::MuObserver::elementEvent(source, code);
  editor_.elementEvent(source, code);
}

void OptionsPermissions::elementClicked(mui::MuElement* source) { editor_.elementClicked(source); }

void OptionsPermissions::elementChanged(mui::MuElement* source) {
  // Controls a derived page binds itself are written as on any page.
  MuConfigSection::elementChanged(source);
  editor_.elementChanged(source);
}

bool OptionsPermissions::hasPolicySettings() const {
  if (MuConfigSection::hasPolicySettings()) return true;
  // The global row's boxes are locked only while that row shows.
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns())
    for (const plat::String& name : defn.params)
      if (policySets(name.get())) return true;
  if (extraParam_.get() && policySets(extraParam_.get())) return true;
  return editor_.hasPolicySettings();
}

void OptionsPermissions::updateUi() {
  MuConfigSection::updateUi();
  PermissionsScheme* scheme = getScheme();
  editor_.updateUi(scheme);
  // The description names the kind as configured, single sign-on included.
  svr::SAuthentication kind = configuredKind();
  const char* link = text("sui_optionspermissions_change_auth");
  if (scheme) {
    loc::LString info;
    info.xprintf(text("sui_optionspermissions_authinfo", true), svr::getAuthDesc(kind));
    editor_.updateAuthInfo(mui::MuInfoFrame::Style(0), info.get(), link);
  } else {
    editor_.updateAuthInfo(mui::MuInfoFrame::Warning,
                           text(kind != svr::SAuthNone ? "sui_optionspermissions_authinfo_custom"
                                                       : "sui_optionspermissions_authinfo_none"),
                           link);
  }
}

bool OptionsPermissions::validate() {
  svr::SAuthentication kind = configuredKind();
  if (kind == svr::SAuthInvalid) return true;
  return editor_.validateSchemes(kind == svr::SAuthSingleSignOn ? svr::SAuthSystem : kind);
}

mui::MuDialog* OptionsPermissions::getDialog() { return getConfigDialog()->getDialog(); }

plat::Configuration* OptionsPermissions::getConfig() { return getConfigDialog()->getConfig(); }

void OptionsPermissions::showHelp(const char* text) { editor_.showHelp(text); }

void OptionsPermissions::addButton(const char* id, const char* label, const char* tip) {
  editor_.addButton(id, label, tip);
}

void OptionsPermissions::enableButton(const char* id, bool enable, const char* focusId) {
  editor_.enableButton(id, enable, focusId);
}

void OptionsPermissions::addPrincipal(int index, const char* name, const char* image) {
  editor_.addPrincipal(index, name, image);
}

void OptionsPermissions::removePrincipal(int index) { editor_.removePrincipal(index); }

void OptionsPermissions::selectPrincipal(int index) { editor_.selectPrincipal(index); }

int OptionsPermissions::getCurrentPrincipalIndex() { return editor_.getCurrentPrincipalIndex(); }

void OptionsPermissions::updateSelection(bool resetChoice) {
  editor_.updateSelection(resetChoice);
  // A row of another kind shows other controls: the page is laid out
  // again from the dialog down.
  getConfigDialog()->getMainLayout()->update();
  if (mui::MuElement* parent = getLayout()->getParent()) parent->update();
  getLayout()->update();
}

void OptionsPermissions::authInfoInvoked() {
  // Without a "security" page the link leads nowhere: the first page would
  // be no answer.
  if (mui::MuConfigSection* security = getConfigDialog()->getSection("security"))
    getConfigDialog()->selectSection(security);
}

}  // namespace sui
