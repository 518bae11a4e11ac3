// gfxutil::ConfigStore: where a program's settings come from and go to.
// Preferences load at priority 50 and policy at priority 0; as the lowest
// number wins, policy overrides preferences, the command line and user
// edits, and preferences override the built-in defaults (100).
//
// inst_ points at the store built last. It does not own it: the store's
// owner does, and a store clears inst_ when it goes while still current.
#pragma once

#include "lib1/plat/Configuration.h"

namespace gfxutil {

class ConfigStore {
 public:
  ConfigStore() = default;
  virtual ~ConfigStore();
  ConfigStore(const ConfigStore&) = delete;
  ConfigStore& operator=(const ConfigStore&) = delete;

  // Preferences, then policy when withPolicy is set; null: the global one.
  virtual void load(bool withPolicy, plat::Configuration* config);
  virtual void loadPriority(int priority, plat::Configuration* config) = 0;
  virtual void saveDiffs(plat::Configuration* config, plat::Configuration* reference) = 0;
  virtual void saveSetting(plat::ConfigParameter& param) = 0;
  virtual void deleteSetting(plat::ConfigParameter& param) = 0;

  static ConfigStore* inst_;
};

}  // namespace gfxutil
