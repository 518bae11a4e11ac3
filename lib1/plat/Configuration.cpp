#include "lib1/plat/Configuration.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/LocHooks.h"
#include "lib1/plat/Log.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "Configuration");

Configuration::Configuration(const char* registryName, loc::msgid_t titleKey)
    : name(strDup(registryName)), msgid(titleKey) {}

// Delegating makes this a whole object before the first clone is made, so a
// clone that throws runs the destructor, which deletes the clones made so far.
Configuration::Configuration(const Configuration& other) : Configuration(other.name, other.msgid) {
  ownsParams = true;
  for (const auto& entry : other.aliases) addAlias(entry.first.get(), entry.second);
  for (ParameterIterator it(&other, true); it.param; it.next()) it.param->clone(this);
}

Configuration::~Configuration() {
  clear();
  for (const auto& entry : aliases) {
    auto& regs = entry.second->registries_;
    regs.erase(std::remove(regs.begin(), regs.end(), this), regs.end());
  }
  delete[] name;
}

Configuration* Configuration::global() {
  static Configuration instance("Global", loc::msgid_t("plat_configuration_global_params"));
  return &instance;
}

void Configuration::clear() {
  // Detach the whole list first, so that the destructors of deleted clones
  // do not walk it, and parameters that outlive the registry do not point
  // back at it.
  ConfigParameter* p = head;
  head = nullptr;
  while (p) {
    ConfigParameter* following = p->next;
    p->next = nullptr;
    p->config_ = nullptr;
    if (ownsParams) delete p;
    p = following;
  }
}

void Configuration::registerChild(Configuration* child, bool add) {
  if (add) {
    if (std::find(children.begin(), children.end(), child) == children.end())
      children.push_back(child);
  } else {
    children.remove(child);
  }
}

// A chain of aliases is as deep as the registry has aliases; deeper means a
// loop among the others, which addAlias never let in.
bool Configuration::aliasReaches(const ParameterAlias* alias, const char* target, int depth) const {
  if (depth > int(aliases.size()) + 1) return false;
  for (const String& n : alias->names) {
    if (strcasecmp(n.get(), target) == 0) return true;
    auto next = aliases.find(n);
    if (next != aliases.end() && aliasReaches(next->second, target, depth + 1)) return true;
  }
  return false;
}

void Configuration::addAlias(const char* aliasName, ParameterAlias* alias) {
  PLAT_ASSERT(aliasName && alias);
  if (aliasReaches(alias, aliasName, 0))
    throw Exception(1, "Alias %s leads back to itself", aliasName);
  auto it = aliases.find(aliasName);
  if (it != aliases.end()) {
    ParameterAlias* old = it->second;
    it->second = alias;
    forgetIfUnused(old);
  } else {
    aliases.emplace(String(aliasName), alias);
  }
  auto& regs = alias->registries_;
  if (std::find(regs.begin(), regs.end(), this) == regs.end()) regs.push_back(this);
}

void Configuration::removeAlias(const char* aliasName, ParameterAlias* alias) {
  auto it = aliases.find(aliasName);
  if (it == aliases.end() || it->second != alias) return;
  aliases.erase(it);
  forgetIfUnused(alias);
}

void Configuration::forgetIfUnused(ParameterAlias* alias) {
  for (const auto& entry : aliases)
    if (entry.second == alias) return;
  auto& regs = alias->registries_;
  regs.erase(std::remove(regs.begin(), regs.end(), this), regs.end());
}

void Configuration::dropAlias(ParameterAlias* alias) {
  std::erase_if(aliases, [alias](const auto& entry) { return entry.second == alias; });
  forgetIfUnused(alias);
}

ConfigParameter* Configuration::getOwn(const char* paramName) const {
  if (!paramName) return nullptr;
  for (ConfigParameter* p = head; p; p = p->next)
    if (strcasecmp(p->name, paramName) == 0) return p;
  return nullptr;
}

ConfigParameter* Configuration::get(const char* paramName) const {
  if (ConfigParameter* p = getOwn(paramName)) return p;
  for (const Configuration* child : children)
    if (ConfigParameter* p = child->get(paramName)) return p;
  return nullptr;
}

ConfigParameter* Configuration::getOrThrow(const char* paramName) const {
  ConfigParameter* p = get(paramName);
  if (!p) throw Exception(1, "Parameter %s not found", paramName ? paramName : "(null)");
  return p;
}

bool Configuration::set(const char* paramName, const char* value, int priority) {
  if (!paramName) return false;
  auto alias = aliases.find(paramName);
  if (alias != aliases.end()) {
    SettingsMap settings;
    if (!alias->second->handleAlias(paramName, value, &settings)) return false;
    bool any = false;
    for (const auto& entry : settings)
      if (set(entry.first.get(), entry.second.get(), priority)) any = true;
    return any;
  }
  if (ConfigParameter* p = getOwn(paramName)) return p->setParam(value, priority);
  for (Configuration* child : children)
    if (child->set(paramName, value, priority)) return true;
  return false;
}

bool Configuration::set(const char* paramName, int nameLength, const char* value, int priority) {
  String n(paramName, nameLength);
  return set(n.get(), value, priority);
}

bool Configuration::set(const char* assignment, int priority) {
  if (!assignment) return false;
  const char* rest = assignment;
  bool dashed = false;
  if (*rest == '-') {
    dashed = true;
    rest++;
    if (*rest == '-') rest++;
  }
  if (const char* eq = strchr(rest, '=')) return set(rest, int(eq - rest), eq + 1, priority);
  if (dashed) return set(rest, nullptr, priority);
  for (Configuration* child : children) child->set(assignment, priority);
  return false;
}

bool Configuration::processParamArg(const char*** argv) {
  const char* arg = **argv;
  if (!arg) return false;
  if (set(arg, ConfigParameter::PRIORITY_PREFERENCE)) return true;
  const char* value = (*argv)[1];
  if (arg[0] == '-' && value && set(arg + 1, value, ConfigParameter::PRIORITY_PREFERENCE)) {
    ++*argv;
    return true;
  }
  return false;
}

void Configuration::processParamArgs(const char*** argv, UsageCallback usage) {
  while (processParamArg(argv)) ++*argv;
  const char* arg = **argv;
  if (usage && arg && isHelpArg(arg)) {
    const char* kind = (*argv)[1];
    UsageType type = UsageBasic;
    if (kind && strcasecmp(kind, "all") == 0)
      type = UsageAll;
    else if (kind && strcasecmp(kind, "xml") == 0)
      type = UsageXml;
    usage(type, this);
  }
}

void Configuration::processParamArgs(const char** argv, UsageCallback usage) {
  const char** p = argv;
  processParamArgs(&p, usage);
  if (!*p) return;
  Exception e(nullptr, "BadCmdLineArg");
  e.msg.append(locFormat(loc::msgid_t("plat_bad_argument"), "Bad argument '%S'.", *p));
  if (usage)
    e.msg.append("  ").append(
        locText(loc::msgid_t("plat_run_with_help"), "Run with -help for usage."));
  throw e;
}

void Configuration::merge(const Configuration* other) {
  for (ConfigParameter* p = other->head; p; p = p->next) {
    ConfigParameter* mine = getOwn(p->name);
    if (!mine) continue;
    String value = String::adopt(p->getValueStr());
    mine->setParam(value.get(), p->getPriority());
  }
}

void Configuration::copyValues(const Configuration* other, bool recurse) {
  for (ConfigParameter* p = other->head; p; p = p->next)
    if (ConfigParameter* mine = getOwn(p->name)) mine->copyValues(*p);
  if (recurse)
    for (Configuration* child : children) child->copyValues(other, false);
}

bool Configuration::subset(const Configuration* other) const {
  for (ParameterIterator it(this, true); it.param; it.next()) {
    ConfigParameter* theirs = other->get(it.param->name);
    if (!theirs) return false;
    if (String::adopt(it.param->getValueStr()) != String::adopt(theirs->getValueStr()))
      return false;
  }
  return true;
}

void Configuration::mergeDiffs(const Configuration* changed, const Configuration* reference) {
  for (ParameterIterator it(changed, true); it.param; it.next()) {
    ConfigParameter* ref = reference->get(it.param->name);
    if (!ref) continue;
    String now = String::adopt(it.param->getValueStr());
    if (now != String::adopt(ref->getValueStr()))
      set(it.param->name, now.get(), it.param->getPriority());
  }
}

void Configuration::canonicalize(CanonicalizeCallback* store) {
  for (const auto& entry : aliases) {
    const char* aliasName = entry.first.get();
    String value;
    if (store->getSetting(aliasName, &value)) {
      SettingsMap settings;
      if (entry.second->handleAlias(aliasName, value.get(), &settings)) {
        // A setting already made under a target name wins over the alias.
        for (const auto& target : settings) {
          String existing;
          if (!store->getSetting(target.first.get(), &existing))
            store->setSetting(target.first.get(), target.second.get());
        }
      }
    }
    store->removeSetting(aliasName);
  }
  for (Configuration* child : children) child->canonicalize(store);
}

void Configuration::logReport() const {
  std::vector<ConfigParameter*> params;
  for (ParameterIterator it(this, true); it.param; it.next())
    if (it.param->name[0] != '_') params.push_back(it.param);
  std::stable_sort(params.begin(), params.end(), [](ConfigParameter* a, ConfigParameter* b) {
    int pa = a->getPriority(), pb = b->getPriority();
    if (pa != pb) return pa < pb;
    return ConfigParameterSort()(a, b);
  });
  for (ConfigParameter* p : params) {
    std::map<int, String> values = p->getStringValues();
    bool preference = values.count(ConfigParameter::PRIORITY_PREFERENCE) != 0;
    bool policy = values.count(ConfigParameter::PRIORITY_POLICY) != 0;
    const char* shown = p->isBinary() ? "<binary>" : values[p->getPriority()].get();
    if (policy && preference)
      vlog().info("%s=%s (Policy overriding preference)", p->name, shown);
    else if (policy)
      vlog().info("%s=%s (Policy)", p->name, shown);
    else if (preference)
      vlog().info("%s=%s (Preference)", p->name, shown);
    else
      vlog().debug("%s=%s (Default)", p->name, shown);
  }
}

bool isHelpArg(const char* arg) {
  if (!arg) return false;
  return strcasecmp(arg, "-help") == 0 || strcasecmp(arg, "--help") == 0 ||
         strcasecmp(arg, "-h") == 0 || strcmp(arg, "/?") == 0;
}

ParameterIterator::ParameterIterator(const Configuration* start, bool recurse) : recurse_(recurse) {
  if (start) work_.push_back(start);
  next();
}

void ParameterIterator::next() {
  if (param && param->next) {
    param = param->next;
    return;
  }
  param = nullptr;
  while (!work_.empty()) {
    const Configuration* c = work_.front();
    work_.pop_front();
    if (recurse_)
      for (const Configuration* child : c->children) work_.push_back(child);
    if (c->head) {
      config = c;
      param = c->head;
      return;
    }
  }
  config = nullptr;
}

bool ConfigParameterSort::operator()(const ConfigParameter* a, const ConfigParameter* b) const {
  return strcasecmp(a->name, b->name) < 0;
}

}  // namespace plat
