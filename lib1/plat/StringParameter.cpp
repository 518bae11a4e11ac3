#include "lib1/plat/StringParameter.h"

#include <cstring>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Hex.h"
#include "lib1/plat/SString.h"
#include "lib1/plat/Utf8.h"

namespace plat {

StringParameter::StringParameter(const char* paramName, loc::msgid_t desc, const char* v,
                                 bool isAdvanced, Configuration* config)
    : TypedParameter<String>(paramName, nullptr, desc, isAdvanced, config) {
  init(v);
}

StringParameter::StringParameter(const char* paramName, const char* desc, const char* v,
                                 bool isAdvanced, Configuration* config)
    : TypedParameter<String>(paramName, desc, loc::msgid_t(), isAdvanced, config) {
  init(v);
}

void StringParameter::init(const char* v) {
  PLAT_ASSERT_MSG(v, "Default value <null> for %s not allowed", name);
  setValue(String(v), PRIORITY_DEFAULT);
}

bool StringParameter::setParam(const char* text, int priority) {
  if (!text) return false;
  if (!isValidUtf8(text)) throw BadUtf8(1, "Bad UTF-8 string for %s", name);
  return setValue(String(text), priority);
}

ConfigParameter* StringParameter::clone(Configuration* target) const {
  return new StringParameter(*this, target);
}

namespace {

const char kPrefix[] = "int64:";
const int kPrefixLen = 6;
const int kDigits = 16;

SString<32> s64Text(long long value) {
  static const char digits[] = "0123456789abcdef";
  unsigned long long u = static_cast<unsigned long long>(value);
  SString<32> text(kPrefix);
  for (int shift = 60; shift >= 0; shift -= 4) text.appendChar(digits[(u >> shift) & 15]);
  return text;
}

bool isLowerHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// Reads hex as exactly eight bytes, most significant first.
bool hexToS64(const char* hex, long long* out) {
  MBuf<unsigned char> bytes;
  if (!hexStrToBin(hex, &bytes) || bytes.length != 8) return false;
  unsigned long long u = 0;
  for (int i = 0; i < 8; i++) u = (u << 8) | bytes.data[i];
  *out = static_cast<long long>(u);
  return true;
}

}  // namespace

S64Parameter::S64Parameter(const char* paramName, loc::msgid_t desc, long long defaultValue,
                           bool isAdvanced, Configuration* config)
    : StringParameter(paramName, desc, s64Text(defaultValue).get(), isAdvanced, config) {}

S64Parameter::S64Parameter(const char* paramName, const char* desc, long long defaultValue,
                           bool isAdvanced, Configuration* config)
    : StringParameter(paramName, desc, s64Text(defaultValue).get(), isAdvanced, config) {}

bool S64Parameter::setParam(const char* text, int priority) {
  if (!text) return false;
  size_t len = strlen(text);
  if (len == size_t(kPrefixLen + kDigits) && strncmp(text, kPrefix, kPrefixLen) == 0) {
    for (const char* p = text + kPrefixLen; *p; p++)
      if (!isLowerHex(*p)) return false;
    return StringParameter::setParam(text, priority);
  }
  // Otherwise eight bytes in hexadecimal, either case.
  long long value;
  return hexToS64(text, &value) && setParam(value, priority);
}

bool S64Parameter::setParam(long long value, int priority) {
  return StringParameter::setParam(s64Text(value).get(), priority);
}

long long S64Parameter::getValue() const {
  // The stored text can only be in the prefixed form unless a caller went
  // round setParam with setValue; read such a text as 0.
  const char* text = StringParameter::getValue();
  long long value;
  if (strncmp(text, kPrefix, kPrefixLen) != 0 || !hexToS64(text + kPrefixLen, &value)) return 0;
  return value;
}

}  // namespace plat
