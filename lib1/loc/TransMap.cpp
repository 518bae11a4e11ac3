#include "lib1/loc/TransMap.h"

#include "lib1/plat/Assert.h"
#include "lib1/plat/SString.h"

namespace loc {

namespace {
TransMap* currentMap = nullptr;
}  // namespace

TransMap::TransMap() : prev_(currentMap) { currentMap = this; }

TransMap::~TransMap() {
  if (isProcessMap()) return;
  TransMap* thrInst = currentMap;
  PLAT_ASSERT(thrInst == this);
  currentMap = prev_;
}

TransMap* TransMap::getProcessInst() {
  static TransMap instance{ProcessTag()};
  return &instance;
}

TransMap* TransMap::getThreadInst() { return currentMap ? currentMap : getProcessInst(); }

const Translation* TransMap::get(msgid_t id) const {
  auto found = map_.find(plat::StringCopyOpt(id.get(), false));
  return found == map_.end() ? nullptr : found->second;
}

bool TransMap::checkForAllPluralForms(const PluralRule* rule, msgid_t id, int min, int max) const {
  std::vector<plat::SString<256>> keys;
  rule->forms(id.get(), min, max, &keys);
  for (const auto& key : keys)
    if (!get(msgid_t(key.get()))) return false;
  return true;
}

const Translation* TransMap::getPlural(msgid_t id, int n, int min, int max) const {
  for (const plat::String& locale : locales_) {
    const PluralRule* rule = getRuleForLocale(locale.get());
    if (!checkForAllPluralForms(rule, id, min, max)) continue;
    plat::SString<256> key;
    key.prf("%s_%s", id.get(), rule->form(n));
    if (const Translation* t = get(msgid_t(key.get()))) return t;
  }
  return nullptr;
}

}  // namespace loc
