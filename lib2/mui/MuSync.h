// mui::MuSync: a binding between one named configuration parameter and one
// element. updateUi copies the parameter's value into the element;
// updateConfig writes the element's state back into the parameter, always at
// priority 50 (preferences and user edits), so that a value set by policy at
// priority 0 stays in effect. A parameter whose effective value has priority
// 0 locks the bound element.
//
// The by-configuration companions look the parameter up by name, letter case
// ignored; a name the configuration does not hold is a broken invariant.
#pragma once

#include "lib1/plat/Configuration.h"
#include "lib1/plat/String.h"
#include "lib2/mui/Forward.h"

namespace mui {

class MuSync {
 public:
  explicit MuSync(const char* paramName);
  virtual ~MuSync() = default;
  MuSync(const MuSync&) = delete;
  MuSync& operator=(const MuSync&) = delete;

  virtual MuElement* element() const = 0;
  virtual void updateUi(const plat::ConfigParameter& param) = 0;
  virtual void updateConfig(plat::ConfigParameter& param) = 0;
  // Policy owns the value.
  virtual bool isLocked(const plat::ConfigParameter& param) const;

  void updateUi(const plat::Configuration& config);
  void updateConfig(plat::Configuration& config);
  bool isLocked(const plat::Configuration& config) const;

  const char* paramName() const { return paramName_.get(); }

  // The priority of every value a binding writes.
  static constexpr int WritePriority = plat::ConfigParameter::PRIORITY_PREFERENCE;

  // name's parameter in config; its absence is a broken invariant.
  static plat::ConfigParameter& lookUp(const plat::Configuration& config, const char* name);

 private:
  plat::String paramName_;
};

}  // namespace mui
