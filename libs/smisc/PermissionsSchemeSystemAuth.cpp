#include "libs/smisc/PermissionsSchemeSystemAuth.h"

#include <memory>

#include "AddLocStrings_smisc.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/StringParameter.h"
#include "libs/smisc/AddPrincipalDialog.h"
#include "libs/sui/PermissionsSchemeEditor.h"
#include "libs/svr/Permissions.h"

namespace smisc {

namespace {

AddLocStrings_smisc addLocStrings;

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

// Every change is stored at once, at the priority of the person's settings.
constexpr int kPriority = 50;

const char* imageOf(const svr::SecurityPrincipal* p) { return p->isGroup() ? "group" : "user"; }

}  // namespace

PermissionsSchemeSystemAuth::PermissionsSchemeSystemAuth(sui::PermissionsSchemeEditor* editor)
    : PermissionsScheme(editor) {}

plat::StringParameter* PermissionsSchemeSystemAuth::param() const {
  plat::Configuration* config = editor_->getConfig();
  auto* param = dynamic_cast<plat::StringParameter*>(config ? config->get("Permissions") : nullptr);
  PLAT_ASSERT(param);
  return param;
}

void PermissionsSchemeSystemAuth::save() {
  if (!unreadable_) store_.save(param(), kPriority);
}

void PermissionsSchemeSystemAuth::init() {
  try {
    store_.load(*param(), false);
    unreadable_ = false;
  } catch (const plat::Exception&) {
    // The host tells the person; the text stays in the parameter until a
    // text that parses replaces it.
    store_.clear();
    unreadable_ = true;
  }
  for (int i = 0; i < store_.size(); i++) {
    svr::SecurityPrincipal* p = store_.get(i);
    editor_->addPrincipal(i, p->getDisplayName().get(), imageOf(p));
  }
  editor_->addButton("add", text("smisc_permissionssystemauth_add_btn"),
                     text("smisc_permissionssystemauth_add_btn_tip"));
  editor_->addButton("remove", text("smisc_permissionssystemauth_remove_btn"),
                     text("smisc_permissionssystemauth_remove_btn_tip"));
  editor_->selectPrincipal(-1);
}

svr::Permissions* PermissionsSchemeSystemAuth::getPermissions(int index, bool* locked, bool*,
                                                              bool* flag) {
  svr::Permissions* set = &store_.get(index)->getPermissions();
  *locked = store_.isPolicy();
  *flag = true;
  return set;
}

void PermissionsSchemeSystemAuth::permissionChanged(int, char) { save(); }

void PermissionsSchemeSystemAuth::principalSelected(int index) {
  editor_->showHelp(nullptr);
  editor_->enableButton("add", isEditable(), nullptr);
  editor_->enableButton("remove", index >= 0 && isEditable(), "add");
}

void PermissionsSchemeSystemAuth::buttonPressed(const char* id) {
  if (!isEditable()) return;
  if (plat::String::equal(id, "add")) {
    queryAddPrincipal();
  } else if (plat::String::equal(id, "remove")) {
    int index = editor_->getCurrentPrincipalIndex();
    if (index < 0 || index >= store_.size()) return;
    store_.remove(index);
    editor_->removePrincipal(index);
    save();
  }
}

void PermissionsSchemeSystemAuth::queryAddPrincipal() {
  AddPrincipalDialog dialog(editor_->getDialog());
  if (!dialog.show()) return;
  bool group = dialog.isGroup();
  plat::String id =
      svr::SecurityPrincipal::resolver
          ? svr::SecurityPrincipal::resolver->canonicalizeName(dialog.getName(), group)
          : plat::String(dialog.getName());
  addPrincipal(new svr::SecurityPrincipal(id.get(), svr::Permissions("d"), group, nullptr));
}

void PermissionsSchemeSystemAuth::addPrincipal(svr::SecurityPrincipal* p) {
  PLAT_ASSERT(p);
  std::unique_ptr<svr::SecurityPrincipal> owned(p);
  int index = store_.findById(p->getId(), p->isGroup());
  if (index < 0) {
    index = store_.add(owned.release());
    svr::SecurityPrincipal* added = store_.get(index);
    editor_->addPrincipal(index, added->getDisplayName().get(), imageOf(added));
    save();
  }
  editor_->selectPrincipal(index);
}

}  // namespace smisc
