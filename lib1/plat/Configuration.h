// plat::Configuration: a named registry of parameters, with child registries
// and alias names. Names compare ignoring letter case. global() is the
// registry every parameter joins unless it is given another.
//
// A registry's own parameters form a list through ConfigParameter::next,
// newest first. Children are searched after the own list, in the order they
// were added, depth first. Registries built by name do not own their
// parameters; copies do, and delete them when cleared or destroyed.
#pragma once

#include <cstdio>
#include <deque>
#include <list>

#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/ParameterAlias.h"

namespace plat {

class Configuration {
 public:
  enum UsageType { UsageBasic = 0, UsageAll = 1, UsageXml = 2 };
  using UsageCallback = void (*)(UsageType type, Configuration* config);

  // A store of name/value settings that canonicalize() rewrites.
  class CanonicalizeCallback {
   public:
    virtual ~CanonicalizeCallback() {}
    virtual bool getSetting(const char* name, String* value) = 0;
    virtual void setSetting(const char* name, const char* value) = 0;
    virtual void removeSetting(const char* name) = 0;
  };

  explicit Configuration(const char* name, loc::msgid_t msgid = loc::msgid_t());
  // A flat copy: clones every parameter of other and of its descendants into
  // this registry's own list, which then owns them; shares other's aliases;
  // has no children.
  Configuration(const Configuration& other);
  Configuration& operator=(const Configuration&) = delete;
  ~Configuration();

  // Built on first use (the first parameter's constructor), destroyed at exit.
  static Configuration* global();

  void clear();
  void registerChild(Configuration* child, bool add);
  // Replaces an alias of the same name, letter case ignored. An alias whose
  // targets lead back to aliasName, directly or through other aliases of
  // this registry, would make set() recurse without end: it throws "Alias %s
  // leads back to itself" and nothing changes.
  void addAlias(const char* aliasName, ParameterAlias* alias);
  // Removes the alias registered under aliasName if it is alias.
  void removeAlias(const char* aliasName, ParameterAlias* alias);

  ConfigParameter* get(const char* name) const;
  ConfigParameter* getOrThrow(const char* name) const;  // "Parameter %s not found"

  // Sets name (an alias, an own parameter, else the first child to accept)
  // from text. Rejections and exceptions of the parameter pass through.
  bool set(const char* name, const char* value, int priority);
  bool set(const char* name, int nameLength, const char* value, int priority);
  // One command-line assignment: name=value, -name=value, --name=value, and
  // -name or --name alone (no value: a Boolean becomes true).
  bool set(const char* assignment, int priority);

  // Applies the argument at **argv (and the one after it, for "-name value")
  // at priority 50, leaving *argv on the last argument consumed.
  bool processParamArg(const char*** argv);
  // Applies arguments until one is no assignment and leaves *argv there. With
  // a usage callback, a help argument calls it.
  void processParamArgs(const char*** argv, UsageCallback usage);
  // The same over a null-terminated list; an argument left over throws
  // "Bad argument '<arg>'." with the type name "BadCmdLineArg".
  void processParamArgs(const char** argv, UsageCallback usage);

  // Sets each own parameter that other's own list also has to other's
  // effective value and priority.
  void merge(const Configuration* other);
  void copyValues(const Configuration* other, bool recurse);
  // True when every parameter here (children included) is found in other
  // with the same value text.
  bool subset(const Configuration* other) const;
  // Sets here every parameter of changed whose value text differs from the
  // parameter of that name in reference.
  void mergeDiffs(const Configuration* changed, const Configuration* reference);
  // Replaces the store's alias settings by settings of their targets.
  void canonicalize(CanonicalizeCallback* store);

  // The localised head of the usage listing.
  static const char* paramUsageText();
  // The usage listing: a title, then one entry per parameter (no "_" names;
  // without all, no advanced or binary ones either), sorted by name, with
  // its default when showDefaults is set; then the same for each child.
  void list(bool all, bool showDefaults, FILE* stream, int width, int nameWidth) const;
  // The head and the listing on standard output, 79 columns wide; with all,
  // also the log sources and destinations.
  void printParamUsage(bool all, bool showDefaults) const;

  // Logs every setting with where its value comes from.
  void logReport() const;

  char* name;
  loc::msgid_t msgid;
  ConfigParameter* head = nullptr;
  std::list<Configuration*> children;
  bool ownsParams = false;
  std::map<String, ParameterAlias*, strcasecmp_t> aliases;

 private:
  friend class ParameterAlias;
  ConfigParameter* getOwn(const char* name) const;
  bool aliasReaches(const ParameterAlias* alias, const char* name, int depth) const;
  // Removes every entry of alias (it is being destroyed).
  void dropAlias(ParameterAlias* alias);
  void forgetIfUnused(ParameterAlias* alias);
};

// Walks the parameters of a registry: newest first within a registry, and
// with recurse set, breadth-first over the descendants.
class ParameterIterator {
 public:
  ParameterIterator(const Configuration* config, bool recurse);
  void next();

  ConfigParameter* param = nullptr;
  const Configuration* config = nullptr;

 private:
  std::deque<const Configuration*> work_;
  bool recurse_;
};

// Orders parameters by name, letter case ignored.
struct ConfigParameterSort {
  bool operator()(const ConfigParameter* a, const ConfigParameter* b) const;
};

// "-help", "--help", "-h" and "/?", letter case ignored.
bool isHelpArg(const char* arg);

}  // namespace plat
