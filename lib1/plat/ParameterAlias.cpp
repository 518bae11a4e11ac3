#include "lib1/plat/ParameterAlias.h"

#include <strings.h>

#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Configuration.h"

namespace plat {

int strcasecmp_t::compare(const char* a, const char* b) {
  if (!a || !b) return a ? 1 : b ? -1 : 0;
  return strcasecmp(a, b);
}

ParameterAlias::ParameterAlias(const char* target1, const char* target2, const char* target3) {
  for (const char* t : {target1, target2, target3})
    if (t) addName(t);
}

ParameterAlias::ParameterAlias(const char* aliasName, ConfigParameter* target,
                               Configuration* config) {
  addName(target->name);
  registeredIn_ = config ? config : Configuration::global();
  registeredAs_ = aliasName;
  registeredIn_->addAlias(aliasName, this);
}

ParameterAlias::~ParameterAlias() {
  if (registeredIn_) registeredIn_->removeAlias(registeredAs_.get(), this);
  for (char* n : names) delete[] n;
}

void ParameterAlias::addName(const char* name) {
  names.reserve(names.size() + 1);  // so that the copy is never left unowned
  names.push_back(strDup(name));
}

bool ParameterAlias::handleAlias(const char*, const char* value, SettingsMap* settings) {
  for (const char* n : names) (*settings)[String(n)] = String(value);
  return true;
}

}  // namespace plat
