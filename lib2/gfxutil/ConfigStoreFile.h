// gfxutil::ConfigStoreFile: the configuration store over settings files.
// Preferences come from the config.d directories beside the executable (in
// the product's directory), in the system directory and in the per-user
// directory, in that order; policy from the policy.d directories beside the
// executable and in the system directory. Within one priority the file read
// last wins. The lists are fixed when the store is built, from the
// application identity and directories in force then.
//
// The files beside the executable are left out when the program's user
// cannot enter its folder. A missing file is skipped. Any other failure of
// a file stops the load with "Error reading %s: %s"; what was read before
// it stays applied.
#pragma once

#include <list>
#include <map>

#include "lib1/plat/String.h"
#include "lib2/gfxutil/ConfigStore.h"

namespace gfxutil {

class ConfigStoreFile : public ConfigStore {
 public:
  // Looks the executable's directory up.
  ConfigStoreFile();
  // With the executable's directory given (null: none known), so that a
  // caller can place every directory of the store.
  explicit ConfigStoreFile(const char* exeDir);

  void loadPriority(int priority, plat::Configuration* config) override;
  void saveDiffs(plat::Configuration* config, plat::Configuration* reference) override;
  void saveSetting(plat::ConfigParameter& param) override;
  void deleteSetting(plat::ConfigParameter& param) override;

  // Adds dir's "common", then "common.custom" when custom, then the file
  // named after the application, to the list of priority.
  void acd(int priority, const char* dir, bool custom);

  std::map<int, std::list<plat::String>> files;
};

}  // namespace gfxutil
