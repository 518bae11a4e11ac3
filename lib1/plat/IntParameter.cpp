#include "lib1/plat/IntParameter.h"

#include <strings.h>

#include <memory>
#include <vector>

#include "lib1/plat/Assert.h"

namespace plat {

IntParameter::IntParameter(const char* paramName, loc::msgid_t desc, int defaultValue,
                           bool isAdvanced, Configuration* config, int lo, int hi)
    : TypedParameter<int>(paramName, nullptr, desc, isAdvanced, config) {
  setValue(defaultValue, PRIORITY_DEFAULT);
  min = lo;
  max = hi;
}

IntParameter::IntParameter(const char* paramName, const char* desc, int defaultValue,
                           bool isAdvanced, Configuration* config, int lo, int hi)
    : TypedParameter<int>(paramName, desc, loc::msgid_t(), isAdvanced, config) {
  setValue(defaultValue, PRIORITY_DEFAULT);
  min = lo;
  max = hi;
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

EnumParameter::EnumParameter(const char* paramName, loc::msgid_t desc, const char* defaultName,
                             const char* const* table, bool isAdvanced, Configuration* config)
    : IntParameter(paramName, desc, 0, isAdvanced, config, 0, 0), names(table) {
  init(defaultName);
}

EnumParameter::EnumParameter(const char* paramName, const char* desc, const char* defaultName,
                             const char* const* table, bool isAdvanced, Configuration* config)
    : IntParameter(paramName, desc, 0, isAdvanced, config, 0, 0), names(table) {
  init(defaultName);
}

EnumParameter::EnumParameter(const EnumParameter& other, Configuration* target)
    : IntParameter(other, target), names(other.names) {
  if (!ownsStrings) return;
  int n = 0;
  while (other.names[n]) n++;
  // Copied first, so that running out of memory half way leaks nothing.
  std::vector<String> copies(other.names, other.names + n);
  std::unique_ptr<char*[]> table(new char*[n + 1]());
  for (int i = 0; i < n; i++) table[i] = copies[i].takeBuf();
  names = table.release();
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
