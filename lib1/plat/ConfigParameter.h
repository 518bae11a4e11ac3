// plat::ConfigParameter: a named, typed setting that registers itself in a
// plat::Configuration and keeps one value per priority. The value stored at
// the lowest priority number is in effect: 0 policy, 50 preferences and the
// command line, 100 the built-in default (which is never removed).
#pragma once

#include <list>
#include <map>

#include "lib1/plat/Forward.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/MsgId.h"
#include "lib1/plat/String.h"

namespace plat {

class ConfigParameter;

// Told of every stored change at any priority, and of removals when asked.
// Destroying an observer does not unregister it: whoever added it to a
// parameter's `callbacks` removes it again.
class ParameterChangedCallback {
 public:
  virtual ~ParameterChangedCallback() {}
  virtual void parameterChanged(ConfigParameter* param, int priority) = 0;
};

class ConfigParameter {
 public:
  enum { PRIORITY_POLICY = 0, PRIORITY_PREFERENCE = 50, PRIORITY_DEFAULT = 100 };

  // Unlinks the parameter from its configuration, so that a parameter with a
  // shorter life than its registry (a test's, a dialog's) leaves no dangling
  // node behind.
  virtual ~ConfigParameter();
  ConfigParameter(const ConfigParameter&) = delete;
  ConfigParameter& operator=(const ConfigParameter&) = delete;

  // Parses text and stores the value at priority. True when stored (or
  // already stored there); false when rejected, and then nothing changes.
  virtual bool setParam(const char* text, int priority) = 0;
  // Removes the value at priority (never the default at 100).
  virtual void unsetParam(int priority, bool notify) = 0;
  virtual bool setIntValue(int value, int priority);
  // The text of the effective value; the caller frees it with delete[].
  virtual char* getValueStr() const = 0;
  virtual int getIntValue() const;
  virtual int getPriority() const = 0;
  virtual std::map<int, String> getStringValues() const = 0;
  virtual bool isBool() const { return false; }
  virtual bool isInt() const { return false; }
  virtual bool isString() const { return false; }
  virtual bool isEnum() const { return false; }
  virtual bool isBinary() const { return false; }
  // A copy with every stored value, registered in target (not null).
  virtual ConfigParameter* clone(Configuration* target) const = 0;

  // The literal description, else the description key. The key stands in for
  // its text until the localisation service is linked in.
  const char* getDescription() const;
  bool isLocked() const { return getPriority() < PRIORITY_PREFERENCE; }
  // Drops the preference and policy values without telling anyone.
  void resetToDefault();
  // Tells the observers about the default once it is in effect again.
  void notifyResetToDefault();
  // Makes this parameter's values those of other, as text, priority by
  // priority; values this parser rejects are left out.
  void copyValues(const ConfigParameter& other);

  ConfigParameter* next = nullptr;
  const char* name;
  const char* description;
  loc::msgid_t msgid;
  bool advanced;
  bool ownsStrings = false;  // name, description, msgid are owned arrays
  std::list<ParameterChangedCallback*> callbacks;

 protected:
  ConfigParameter(const char* name, const char* description, loc::msgid_t msgid, bool advanced,
                  Configuration* config);
  // Copies the base fields (duplicating owned strings) into target's list.
  ConfigParameter(const ConfigParameter& other, Configuration* target);

  // Calls every observer in list order. An observer may remove itself or
  // another one while it runs; one that was removed is not called. When one
  // throws, the rest are still told and the first exception is rethrown.
  void notifyObservers(int priority);

 private:
  friend class Configuration;
  void link(Configuration* config);

  Configuration* config_ = nullptr;
};

// Where the values being set come from (a settings file and its line, say)
// while one lives. A fault in a value that is reported as the value takes
// effect, rather than thrown back to whoever set it (a bad element of
// `Log`), names the innermost one in force. Each thread has its own.
class SettingOrigin {
 public:
  explicit SettingOrigin(const char* where);
  ~SettingOrigin();
  SettingOrigin(const SettingOrigin&) = delete;
  SettingOrigin& operator=(const SettingOrigin&) = delete;

  // Null when no origin is in force.
  static const char* current();

 private:
  const char* where_;
  SettingOrigin* outer_;
};

// The source the parameters log through, "ConfigParameter". Parameters are
// built during static initialisation, in no particular order across files,
// so the writer is built by the first one that needs it rather than at a
// place of its own.
LogWriter& configParamLog();

}  // namespace plat
