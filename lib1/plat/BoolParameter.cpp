#include "lib1/plat/BoolParameter.h"

#include <strings.h>

#include <cstring>

#include "lib1/plat/Exception.h"

namespace plat {

BoolParameter::BoolParameter(const char* paramName, loc::msgid_t desc, bool defaultValue,
                             bool isAdvanced, Configuration* config)
    : TypedParameter<bool>(paramName, nullptr, desc, isAdvanced, config) {
  setValue(defaultValue, PRIORITY_DEFAULT);
}

BoolParameter::BoolParameter(const char* paramName, const char* desc, bool defaultValue,
                             bool isAdvanced, Configuration* config)
    : TypedParameter<bool>(paramName, desc, loc::msgid_t(), isAdvanced, config) {
  setValue(defaultValue, PRIORITY_DEFAULT);
}

bool BoolParameter::parseBool(const char* text, bool* out) {
  if (!text || !*text || strcmp(text, "1") == 0 || strcasecmp(text, "on") == 0 ||
      strcasecmp(text, "true") == 0 || strcasecmp(text, "yes") == 0) {
    *out = true;
    return true;
  }
  if (strcmp(text, "0") == 0 || strcasecmp(text, "off") == 0 || strcasecmp(text, "false") == 0 ||
      strcasecmp(text, "no") == 0) {
    *out = false;
    return true;
  }
  return false;
}

bool BoolParameter::setParam(const char* text, int priority) {
  bool v;
  if (!parseBool(text, &v)) {
    configParamLog().error("Bool parameter %s: invalid value '%s'", name, text);
    return false;
  }
  return setValue(v, priority);
}

bool BoolParameter::setIntValue(int value, int priority) { return setValue(value != 0, priority); }

ConfigParameter* BoolParameter::clone(Configuration* target) const {
  return new BoolParameter(*this, target);
}

namespace {

// A debugging switch: with it set, a plat::BadUtf8 aborts where it is raised
// instead of being thrown, so that the offending caller is on the stack.
BoolParameter badUtf8AssertParam("_BadUtf8Assert",
                                 "Make bad UTF-8 cause an assertion failure for debugging", false,
                                 false, nullptr);

bool badUtf8AssertHook() { return badUtf8AssertParam.getValue(); }

// Declared after the parameter, so it is destroyed first and the hook never
// reads a parameter that is gone.
struct BadUtf8AssertInstaller {
  BadUtf8AssertInstaller() { BadUtf8::assertHook = badUtf8AssertHook; }
  ~BadUtf8AssertInstaller() {
    if (BadUtf8::assertHook == badUtf8AssertHook) BadUtf8::assertHook = nullptr;
  }
} badUtf8AssertInstaller;

}  // namespace

}  // namespace plat
