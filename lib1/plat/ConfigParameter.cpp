#include "lib1/plat/ConfigParameter.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/LocHooks.h"
#include "lib1/plat/Log.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "ConfigParameter");

// Shared with the typed parameters, which log their changes under this name.
LogWriter& configParamLog() { return vlog(); }

namespace {

thread_local SettingOrigin* innermost = nullptr;

}  // namespace

SettingOrigin::SettingOrigin(const char* where) : where_(where), outer_(innermost) {
  innermost = this;
}

SettingOrigin::~SettingOrigin() { innermost = outer_; }

const char* SettingOrigin::current() { return innermost ? innermost->where_ : nullptr; }

ConfigParameter::ConfigParameter(const char* paramName, const char* desc, loc::msgid_t descKey,
                                 bool isAdvanced, Configuration* config)
    : name(paramName), description(desc), msgid(descKey), advanced(isAdvanced) {
  link(config ? config : Configuration::global());
}

ConfigParameter::ConfigParameter(const ConfigParameter& other, Configuration* target)
    : name(other.name),
      description(other.description),
      msgid(other.msgid),
      advanced(other.advanced),
      ownsStrings(other.ownsStrings) {
  PLAT_ASSERT(target);
  if (ownsStrings) {
    // All three copies are made before any is handed over, so that running
    // out of memory half way leaks nothing.
    String n(other.name), d(other.description), k(other.msgid.get());
    name = n.takeBuf();
    description = d.takeBuf();
    msgid = loc::msgid_t(k.takeBuf());
  }
  link(target);
}

ConfigParameter::~ConfigParameter() {
  if (config_) {
    for (ConfigParameter** p = &config_->head; *p; p = &(*p)->next) {
      if (*p == this) {
        *p = next;
        break;
      }
    }
  }
  if (ownsStrings) {
    delete[] name;
    delete[] description;
    delete[] msgid.get();
  }
}

void ConfigParameter::link(Configuration* config) {
  config_ = config;
  next = config->head;
  config->head = this;
}

bool ConfigParameter::setIntValue(int, int) { return false; }

int ConfigParameter::getIntValue() const { return 0; }

const char* ConfigParameter::getDescription() const {
  return description ? description : locText(msgid, msgid.get());
}

void ConfigParameter::resetToDefault() {
  unsetParam(PRIORITY_PREFERENCE, false);
  unsetParam(PRIORITY_POLICY, false);
}

void ConfigParameter::notifyResetToDefault() {
  if (getPriority() == PRIORITY_DEFAULT) notifyObservers(PRIORITY_DEFAULT);
}

void ConfigParameter::copyValues(const ConfigParameter& other) {
  if (&other == this) return;
  for (const auto& entry : getStringValues()) unsetParam(entry.first, true);
  for (const auto& entry : other.getStringValues()) setParam(entry.second.get(), entry.first);
}

void ConfigParameter::notifyObservers(int priority) {
  if (callbacks.empty()) return;
  // Walk a snapshot, and skip an entry that has left the live list since:
  // it may have been destroyed by whoever removed it.
  std::vector<ParameterChangedCallback*> snapshot(callbacks.begin(), callbacks.end());
  std::exception_ptr first;
  for (ParameterChangedCallback* cb : snapshot) {
    if (std::find(callbacks.begin(), callbacks.end(), cb) == callbacks.end()) continue;
    try {
      cb->parameterChanged(this, priority);
    } catch (...) {
      // The value is stored already; the other observers must hear of it too.
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

}  // namespace plat
