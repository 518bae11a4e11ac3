// sui::PermissionsEditorImpl: following the selected row, and turning the
// person's picks and ticks into changes of the selected principal's set.

#include <cstring>

#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib2/mui/MuFactories.h"
#include "libs/sui/PermissionsEditorImpl.h"
#include "libs/sui/PermissionsText.h"
#include "libs/svr/Permissions.h"

namespace sui {

namespace {

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

// The texts stored for the fixed levels, by item id.
const char* const kLevelText[] = {nullptr, "v", "d", "f"};

}  // namespace

void PermissionsEditorImpl::updatePermissionChoice(bool withNoAccess) {
  choice_->removeAllItems();
  if (withNoAccess) choice_->addItem(NoAccess, text("sui_optionspermissions_noaccess"));
  choice_->addItem(ViewOnly, text("sui_optionspermissions_view"));
  choice_->addItem(Normal, text("sui_optionspermissions_normal"));
  choice_->addItem(Admin, text("sui_optionspermissions_admin"));
  choice_->addItem(Custom, text("sui_optionspermissions_custom"));
}

void PermissionsEditorImpl::disableControls() {
  if (global_) global_->enable(false);
  choice_->enable(false);
  customHelp_->show(false);
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns()) {
    for (bool deny : {false, true})
      if (mui::MuCheck* tick = getTick(defn.code, deny)) tick->enable(false);
  }
}

void PermissionsEditorImpl::doUpdateSelection(bool resetChoice) {
  if (callback_) {
    // The host refreshes through updateSelection and lays its page out.
    callback_->updateSelection(resetChoice);
    return;
  }
  updateSelection(resetChoice);
  layout_->update();
  if (layout_->getParent()) layout_->getParent()->update();
}

void PermissionsEditorImpl::updateSelection(bool resetChoice) {
  int row = list_->getSelectedRow();
  bool guest = isGuestRow(row);
  if (!isGlobalRow(row) && !guest && (!isPrincipalRow(row) || !scheme_)) {
    current_ = nullptr;
    disableControls();
    updatePermissionChoice(true);
    return;
  }
  settings_->show(true);
  settingsLayout_->show(true);
  if (isGlobalRow(row)) {
    showGlobalRow();
    return;
  }
  bool locked = false, enabled = true, flag = false;
  current_ = guest ? callback_->getExtraVerifierPerms(&locked)
                   : scheme_->getPermissions(row - schemeStartIndex_, &locked, &enabled, &flag);
  PLAT_ASSERT(current_);
  if (global_) global_->show(false);
  // A host may have disabled the containers while nothing was selected; a
  // disabled container passes no pointer or focus to the controls inside.
  for (mui::MuLayout* part : {permset_, permcustom_}) {
    part->show(true);
    part->enable(true);
  }

  bool custom = choice_->getSelection() == Custom;
  if (resetChoice) {
    // "No access" is the guest's alone: an ordinary principal with nothing
    // granted is a custom set with no tick.
    updatePermissionChoice(guest);
    int level = Custom;
    if (guest && current_->isStringEqual(svr::Permissions())) level = NoAccess;
    for (int id = ViewOnly; id <= Admin && level == Custom; id++)
      if (current_->isStringEqual(svr::Permissions(kLevelText[id]))) level = id;
    choice_->setSelection(level);
    custom = level == Custom;
  }
  choice_->enable(enabled);
  choice_->lock(locked);

  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns()) {
    mui::MuCheck* allow = getTick(defn.code, false);
    mui::MuCheck* deny = getTick(defn.code, true);
    if (!allow || !deny) continue;
    allow->setChecked(current_->isAllowed(defn.code));
    deny->setChecked(custom && current_->isDenied(defn.code));
    for (mui::MuCheck* tick : {allow, deny}) {
      tick->enable(custom && enabled);
      tick->lock(locked);
    }
  }
  customHelp_->show(custom);
}

void PermissionsEditorImpl::elementEvent(mui::MuElement* source, int code) {
  if (code != mui::MuEventDoubleClicked || !scheme_ || source != list_) return;
  if (isPrincipalRow(list_->getSelectedRow())) scheme_->editPrincipal();
}

void PermissionsEditorImpl::elementClicked(mui::MuElement* source) {
  if (scheme_ && source && source->getParent() == buttons_) {
    scheme_->buttonPressed(source->getId());
  } else if (infoFrame_ && infoFrame_->isLink(source)) {
    callback_->authInfoInvoked();
  }
}

char PermissionsEditorImpl::tickLetter(mui::MuElement* source) const {
  // A tick is "<letter>.allow.check" or "<letter>.deny.check" in permcustom.
  mui::MuElement* column = source ? source->getParent() : nullptr;
  mui::MuElement* row = column ? column->getParent() : nullptr;
  if (!row || row->getParent() != permcustom_ || strlen(row->getId()) != 1) return 0;
  return getTick(row->getId()[0], false) == source || getTick(row->getId()[0], true) == source
             ? row->getId()[0]
             : 0;
}

void PermissionsEditorImpl::elementChanged(mui::MuElement* source) {
  int row = list_->getSelectedRow();
  if (source == list_) {
    if (row < 0) {
      list_->setSelectedRow(0);
      row = list_->getSelectedRow();
    }
    if (!isPrincipalRow(row)) showHelp(nullptr);
    if (scheme_) {
      scheme_->principalSelected(row < schemeStartIndex_ ? GLOBAL
                                 : isPrincipalRow(row)   ? row - schemeStartIndex_
                                                         : GUEST);
    }
    doUpdateSelection(true);
    return;
  }
  // Nothing selected means no set to write into: the last one may have gone
  // with its principal.
  if (!current_) return;
  if (isGlobalRow(row)) {
    if (char letter = globalLetter(source))
      changeGlobal(letter, static_cast<mui::MuCheck*>(source));
    return;
  }
  if (!isPrincipalRow(row) && !isGuestRow(row)) return;
  if (source == choice_) {
    changeLevel(row);
  } else if (char letter = tickLetter(source)) {
    auto* tick = static_cast<mui::MuCheck*>(source);
    changeTick(row, letter, tick, tick == getTick(letter, true));
  }
}

void PermissionsEditorImpl::changeLevel(int row) {
  int id = choice_->getSelection();
  if (id < NoAccess || id > Custom) {
    // Not an item: show the level the set really has.
    doUpdateSelection(true);
    return;
  }
  if (id == Custom) {
    current_->setExpandedString();
  } else {
    *current_ = id == NoAccess ? svr::Permissions() : svr::Permissions(kLevelText[id]);
  }
  store(row, 0);
}

void PermissionsEditorImpl::changeTick(int row, char letter, mui::MuCheck* tick, bool deny) {
  svr::Permissions::State state = !tick->isChecked() ? svr::Permissions::Unset
                                  : deny             ? svr::Permissions::Denied
                                                     : svr::Permissions::Allowed;
  current_->parse(permissionsTextWith(*current_, letter, state).get());
  store(row, letter);
}

void PermissionsEditorImpl::changeGlobal(char letter, mui::MuCheck* box) {
  svr::Permissions::State state = box->isIndeterminate() ? svr::Permissions::Unset
                                  : box->isChecked()     ? svr::Permissions::Allowed
                                                         : svr::Permissions::Denied;
  current_->parse(permissionsTextWith(*current_, letter, state).get());
  callback_->setGlobalPerms();
  doUpdateSelection(false);
}

void PermissionsEditorImpl::store(int row, char letter) {
  if (isGuestRow(row)) {
    callback_->setExtraVerifierPerms();
    updateExtraEntry();
  } else if (scheme_) {
    scheme_->permissionChanged(row - schemeStartIndex_, letter);
  }
  doUpdateSelection(false);
}

}  // namespace sui
