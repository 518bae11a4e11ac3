// sui::OptionsPermissions: the rows the page adds to the editor's list -
// the global row read from and written to the features' server parameters,
// and the guest row kept in a parameter of its own.

#include <string>

#include "AddLocStrings_sui.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/StrUtil.h"
#include "lib2/mui/MuConfigDialog.h"
#include "libs/sui/OptionsPermissions.h"
#include "libs/sui/PermissionsText.h"

PLAT_LOG_WRITER(vlog, "OptionsPermissions");

namespace sui {

namespace {

AddLocStrings_sui addLocStrings;

bool isTrue(const plat::ConfigParameter& param) { return param.getIntValue() != 0; }

}  // namespace

plat::ConfigParameter* OptionsPermissions::param(const char* name) const {
  plat::Configuration* config = getConfigDialog()->getConfig();
  return config && name ? config->get(name) : nullptr;
}

bool OptionsPermissions::policySets(const char* name) const {
  plat::ConfigParameter* p = param(name);
  return p && p->getPriority() == plat::ConfigParameter::PRIORITY_POLICY;
}

bool OptionsPermissions::isParamPolicy(const char* name) { return policySets(name); }

svr::Permissions* OptionsPermissions::getGlobalPerms() {
  globalPerms_.clear();
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns()) {
    bool anyOn = false, anyOff = false;
    for (const plat::String& name : defn.params) {
      // A parameter this server lacks cannot switch the feature off.
      plat::ConfigParameter* p = param(name.get());
      (!p || isTrue(*p) ? anyOn : anyOff) = true;
    }
    svr::Permissions::State state = !anyOff  ? svr::Permissions::Allowed
                                    : !anyOn ? svr::Permissions::Denied
                                             : svr::Permissions::Unset;
    globalPerms_.parse(permissionsTextWith(globalPerms_, defn.code, state).get());
  }
  return &globalPerms_;
}

void OptionsPermissions::setGlobalPerms() {
  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns()) {
    svr::Permissions::State state = globalPerms_.getState(defn.code);
    // Unset: the parameters disagree, and the person left them so.
    if (state == svr::Permissions::Unset) continue;
    bool on = state == svr::Permissions::Allowed;
    for (const plat::String& name : defn.params) {
      plat::ConfigParameter* p = param(name.get());
      if (p && isTrue(*p) != on)
        p->setParam(on ? "1" : "0", plat::ConfigParameter::PRIORITY_PREFERENCE);
    }
  }
}

void OptionsPermissions::setExtraVerifier(const char* paramName, const char* nameParam,
                                          const char* label) {
  extraParam_ = plat::String(paramName);
  extraNameParam_ = plat::String(nameParam);
  extraLabel_ = plat::String(label);
}

bool OptionsPermissions::readExtraPerms(svr::Permissions* set) const {
  set->clear();
  plat::ConfigParameter* p = param(extraParam_.get());
  if (!p) return true;
  plat::String value = plat::String::adopt(p->getValueStr());
  try {
    set->parse(value.get());
    return true;
  } catch (const plat::Exception& e) {
    vlog().error("%s \"%s\": %s", extraParam_.get(), value.get() ? value.get() : "", e.str());
    set->clear();
    return false;
  }
}

svr::Permissions* OptionsPermissions::getExtraVerifierPerms(bool* locked) {
  bool parsed = readExtraPerms(&extraPerms_);
  // An edit would store the empty set shown in place of the text: the row
  // stays locked until the text is put right where it was written. Without
  // the parameter an edit would go nowhere.
  bool missing = !param(extraParam_.get());
  if (locked) *locked = missing || !parsed || policySets(extraParam_.get());
  return &extraPerms_;
}

void OptionsPermissions::setExtraVerifierPerms() {
  plat::ConfigParameter* p = param(extraParam_.get());
  if (!p) return;
  svr::Permissions stored;
  if (!readExtraPerms(&stored)) {
    vlog().error("%s left as it stands: it does not parse", extraParam_.get());
    return;
  }
  p->setParam(extraPerms_.getString(), plat::ConfigParameter::PRIORITY_PREFERENCE);
}

void OptionsPermissions::getExtraVerifierName(char** name, bool* allowsAccess) {
  plat::ConfigParameter* p = param(extraNameParam_.get());
  plat::String value = p ? plat::String::adopt(p->getValueStr()) : plat::String();
  const char* shown =
      value.get() && *value.get()
          ? value.get()
          : loc::localize(loc::msgid_t("sui_optionspermissions_blank"), __FILE__, __LINE__);
  std::string text = std::string(extraLabel_.get() ? extraLabel_.get() : "") + " (" + shown + ")";
  *name = plat::strDup(text.c_str());
  // Read afresh: the row is named when the list is built, before the set is
  // first asked for.
  svr::Permissions set;
  readExtraPerms(&set);
  *allowsAccess = set.allowsAccess();
}

}  // namespace sui
