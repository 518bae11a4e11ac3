// plat::ParameterAlias: a name under which a configuration sets one or more
// other parameters. plat::strcasecmp_t orders names ignoring letter case,
// as parameter names compare.
//
// An alias is owned by whoever made it, never by a registry. It knows every
// registry that holds it (copies included), and whichever of the two goes
// first takes the entry out of the other, so no registry is left pointing at
// a destroyed alias, nor an alias at a destroyed registry.
#pragma once

#include <map>
#include <vector>

#include "lib1/plat/Forward.h"
#include "lib1/plat/String.h"

namespace plat {

class ConfigParameter;

struct strcasecmp_t {
  using is_transparent = void;
  // Null sorts before every text.
  static int compare(const char* a, const char* b);
  bool operator()(const String& a, const String& b) const { return compare(a.get(), b.get()) < 0; }
  bool operator()(const char* a, const String& b) const { return compare(a, b.get()) < 0; }
  bool operator()(const String& a, const char* b) const { return compare(a.get(), b) < 0; }
};

using SettingsMap = std::map<String, String, strcasecmp_t>;

class ParameterAlias {
 public:
  // Targets the non-null names, in order. Registers nowhere: the creator
  // calls Configuration::addAlias.
  ParameterAlias(const char* target1, const char* target2 = nullptr, const char* target3 = nullptr);
  // Targets one parameter and registers under aliasName in config (null:
  // the global one); the destructor takes it out again. An aliasName that
  // names the target itself throws, as Configuration::addAlias does.
  ParameterAlias(const char* aliasName, ConfigParameter* target, Configuration* config);
  virtual ~ParameterAlias();
  ParameterAlias(const ParameterAlias&) = delete;
  ParameterAlias& operator=(const ParameterAlias&) = delete;

  void addName(const char* name);

  // Puts value under every target name of settings (replacing any entry of
  // the same name) and returns true. False refuses the assignment.
  virtual bool handleAlias(const char* aliasName, const char* value, SettingsMap* settings);

  std::vector<String> names;

 private:
  friend class Configuration;
  // The registries whose alias map holds this alias, once each.
  std::vector<Configuration*> registries_;
};

}  // namespace plat
