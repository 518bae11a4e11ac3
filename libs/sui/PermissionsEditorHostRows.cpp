// sui::PermissionsEditorImpl: what a host page adds around the scheme's
// rows - the global row's feature switches, the guest row's entry, the
// banner above the list.

#include <cstring>

#include "lib1/loc/LString.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/String.h"
#include "lib2/mui/MuFactories.h"
#include "libs/sui/PermissionsEditorImpl.h"
#include "libs/svr/Permissions.h"

namespace sui {

void PermissionsEditorImpl::showGlobalRow() {
  current_ = callback_->getGlobalPerms();
  PLAT_ASSERT(current_);
  permset_->show(false);
  permcustom_->show(false);
  global_->show(true);
  // As with the choice and ticks, a container disabled while nothing was
  // selected would keep the boxes from pointer and focus.
  global_->enable(true);
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns()) {
    const char id[2] = {defn.code, 0};
    auto* box = dynamic_cast<mui::MuCheck*>(global_->lookupElement(id));
    if (!box) continue;
    // Unset: the feature's parameters disagree.
    svr::Permissions::State state = current_->getState(defn.code);
    if (state == svr::Permissions::Unset) {
      box->setIndeterminate();
    } else {
      box->setChecked(state == svr::Permissions::Allowed);
    }
    bool policy = false;
    for (const plat::String& param : defn.params)
      policy = policy || callback_->isParamPolicy(param.get());
    box->lock(policy);
  }
}

char PermissionsEditorImpl::globalLetter(mui::MuElement* source) const {
  if (!global_ || !source || source->getParent() != global_ || strlen(source->getId()) != 1)
    return 0;
  return dynamic_cast<mui::MuCheck*>(source) ? source->getId()[0] : 0;
}

void PermissionsEditorImpl::updateExtraEntry() {
  if (!guestRow_) return;
  char* raw = nullptr;
  bool allowsAccess = false;
  callback_->getExtraVerifierName(&raw, &allowsAccess);
  plat::String name = plat::String::adopt(raw);
  const char* key = allowsAccess ? "sui_optionspermissions_extra_enabled"
                                 : "sui_optionspermissions_extra_disabled";
  loc::LString entry;
  entry.xprintf(loc::localize(loc::msgid_t(key), __FILE__, __LINE__, true), name.get());
  list_->setRowData(schemeEndIndex_, {allowsAccess ? "guest" : "noguest", entry.get()});
}

void PermissionsEditorImpl::updateAuthInfo(mui::MuInfoFrame::Style style, const char* text,
                                           const char* linkText) {
  if (infoFrame_) infoFrame_->update(style, text, linkText);
}

}  // namespace sui
