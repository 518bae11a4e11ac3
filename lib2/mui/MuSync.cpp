#include "lib2/mui/MuSync.h"

#include "lib1/plat/Assert.h"

namespace mui {

MuSync::MuSync(const char* paramName) : paramName_(paramName) { PLAT_ASSERT(paramName); }

bool MuSync::isLocked(const plat::ConfigParameter& param) const {
  return param.getPriority() == plat::ConfigParameter::PRIORITY_POLICY;
}

void MuSync::updateUi(const plat::Configuration& config) { updateUi(lookUp(config, paramName())); }

void MuSync::updateConfig(plat::Configuration& config) {
  updateConfig(lookUp(config, paramName()));
}

bool MuSync::isLocked(const plat::Configuration& config) const {
  return isLocked(lookUp(config, paramName()));
}

plat::ConfigParameter& MuSync::lookUp(const plat::Configuration& config, const char* name) {
  plat::ConfigParameter* p = config.get(name);
  PLAT_ASSERT_MSG(p, "parameter %s missing", name);
  return *p;
}

}  // namespace mui
