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
  (config ? config : Configuration::global())->addAlias(aliasName, this);
}

ParameterAlias::~ParameterAlias() {
  // Take a copy: each registry forgets this alias, which edits the vector.
  std::vector<Configuration*> registries = registries_;
  for (Configuration* c : registries) c->dropAlias(this);
}

void ParameterAlias::addName(const char* name) { names.emplace_back(name); }

bool ParameterAlias::handleAlias(const char*, const char* value, SettingsMap* settings) {
  for (const String& n : names) (*settings)[n] = String(value);
  return true;
}

}  // namespace plat
