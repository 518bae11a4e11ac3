#include "lib2/mui/MuEnabler.h"

#include "lib1/plat/Assert.h"
#include "lib2/mui/MuSync.h"

namespace mui {

MuEnabler::MuEnabler(const char* paramName) : paramName_(paramName) { PLAT_ASSERT(paramName); }

bool MuEnabler::isEnabled(const plat::Configuration& config) const {
  return isEnabled(MuSync::lookUp(config, paramName()));
}

void MuEnabler::paramChangedByElement(const plat::Configuration& config, MuElement* changed) {
  paramChangedByElement(MuSync::lookUp(config, paramName()), changed);
}

bool MuEnablerBool::isEnabled(const plat::ConfigParameter& param) const {
  return (param.getIntValue() != 0) != invert_;
}

bool MuEnablerPolicy::isEnabled(const plat::ConfigParameter& param) const {
  return param.getPriority() > plat::ConfigParameter::PRIORITY_POLICY;
}

bool MuEnablerMapped::isEnabled(const plat::ConfigParameter& param) const {
  auto found = verdicts_.find(plat::String::adopt(param.getValueStr()));
  return found == verdicts_.end() ? default_ : found->second;
}

bool MuEnablerMapped::isMapped(const plat::ConfigParameter& param) const {
  return verdicts_.count(plat::String::adopt(param.getValueStr())) != 0;
}

}  // namespace mui
