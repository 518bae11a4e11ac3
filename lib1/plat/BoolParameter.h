// plat::BoolParameter: a Boolean setting. Its text forms are "1", "on",
// "true", "yes" and "0", "off", "false", "no" (words in any letter case); an
// empty or absent text means true, so "-name" alone on a command line turns
// it on.
#pragma once

#include "lib1/plat/TypedParameter.h"

namespace plat {

class BoolParameter : public TypedParameter<bool> {
 public:
  BoolParameter(const char* name, loc::msgid_t description, bool defaultValue, bool advanced,
                Configuration* config);
  BoolParameter(const char* name, const char* description, bool defaultValue, bool advanced,
                Configuration* config);

  // Reads text as a Boolean; false when it is none of the forms above.
  static bool parseBool(const char* text, bool* out);

  bool setParam(const char* text, int priority) override;
  bool setIntValue(int value, int priority) override;
  int getIntValue() const override { return getValue() ? 1 : 0; }
  bool isBool() const override { return true; }
  ConfigParameter* clone(Configuration* target) const override;

  bool getValue() const { return effective().second; }

 protected:
  BoolParameter(const BoolParameter& other, Configuration* target)
      : TypedParameter<bool>(other, target) {}
};

}  // namespace plat
