#include "lib1/plat/IntParameter.h"

#include <strings.h>

#include "lib1/plat/Assert.h"

namespace plat {

IntParameter::IntParameter(const char* name_, loc::msgid_t description_, int defaultValue,
                           bool advanced_, Configuration* config, int min_, int max_)
    : TypedParameter<int>(name_, nullptr, description_, advanced_, config) {
  setValue(defaultValue, PRIORITY_DEFAULT);
  min = min_;
  max = max_;
}

IntParameter::IntParameter(const char* name_, const char* description_, int defaultValue,
                           bool advanced_, Configuration* config, int min_, int max_)
    : TypedParameter<int>(name_, description_, loc::msgid_t(), advanced_, config) {
  setValue(defaultValue, PRIORITY_DEFAULT);
  min = min_;
  max = max_;
}

bool IntParameter::setParam(const char* text, int priority) {
  int v;
  if (!strToInt(&v, text, 0)) return false;
  return IntParameter::setParam(v, priority);
}

bool IntParameter::setParam(int value, int priority) {
  if (value < min || value > max) return false;
  return setValue(value, priority);
}

ConfigParameter* IntParameter::clone(Configuration* target) const {
  return new IntParameter(*this, target);
}

EnumParameter::EnumParameter(const char* name_, loc::msgid_t description_, const char* defaultName,
                             const char* const* names_, bool advanced_, Configuration* config)
    : IntParameter(name_, description_, 0, advanced_, config, 0, 0), names(names_) {
  init(defaultName);
}

EnumParameter::EnumParameter(const char* name_, const char* description_, const char* defaultName,
                             const char* const* names_, bool advanced_, Configuration* config)
    : IntParameter(name_, description_, 0, advanced_, config, 0, 0), names(names_) {
  init(defaultName);
}

EnumParameter::EnumParameter(const EnumParameter& other, Configuration* target)
    : IntParameter(other, target), names(other.names) {
  if (!ownsStrings) return;
  int n = 0;
  while (other.names[n]) n++;
  char** table = new char*[n + 1];
  for (int i = 0; i < n; i++) table[i] = strDup(other.names[i]);
  table[n] = nullptr;
  names = table;
  ownsNames_ = true;
}

EnumParameter::~EnumParameter() {
  if (!ownsNames_) return;
  for (const char* const* p = names; *p; p++) delete[] * p;
  delete[] names;
}

void EnumParameter::init(const char* defaultName) {
  PLAT_ASSERT_MSG(names && names[0], "EnumParameter %s has no names", name);
  int n = 0;
  while (names[n]) n++;
  max = n - 1;
  setParam(defaultName, PRIORITY_DEFAULT);
}

bool EnumParameter::setParam(const char* text, int priority) {
  if (!text) return false;
  for (int i = 0; names[i]; i++)
    if (strcasecmp(names[i], text) == 0) return setIntValue(i, priority);
  return false;
}

char* EnumParameter::valueToStr(const int& value) const {
  // setValue does not check the range; show such an index as a number.
  if (value < 0 || value > max) return IntParameter::valueToStr(value);
  return strDup(names[value]);
}

ConfigParameter* EnumParameter::clone(Configuration* target) const {
  return new EnumParameter(*this, target);
}

}  // namespace plat
