// plat::StringParameter: a UTF-8 text setting. plat::S64Parameter: a signed
// 64-bit integer kept as a text, "int64:" and 16 lower-case hexadecimal digits
// (most significant byte first).
#pragma once

#include "lib1/plat/Exception.h"
#include "lib1/plat/TypedParameter.h"

namespace plat {

class StringParameter : public TypedParameter<String> {
 public:
  // A null default is a broken invariant.
  StringParameter(const char* name, loc::msgid_t description, const char* v, bool advanced,
                  Configuration* config);
  StringParameter(const char* name, const char* description, const char* v, bool advanced,
                  Configuration* config);

  // A null text is rejected; text that is not valid UTF-8 throws
  // plat::BadUtf8 and changes nothing.
  bool setParam(const char* text, int priority) override;
  bool isString() const override { return true; }
  ConfigParameter* clone(Configuration* target) const override;

  // Valid until the next change of the parameter.
  const char* getValue() const { return effective().second.get(); }

 protected:
  StringParameter(const StringParameter& other, Configuration* target)
      : TypedParameter<String>(other, target) {}

 private:
  void init(const char* v);
};

// Its clone is a plain StringParameter holding the same texts.
class S64Parameter : public StringParameter {
 public:
  S64Parameter(const char* name, loc::msgid_t description, long long defaultValue, bool advanced,
               Configuration* config);
  S64Parameter(const char* name, const char* description, long long defaultValue, bool advanced,
               Configuration* config);

  using StringParameter::setParam;
  // Takes "int64:" with 16 lower-case hexadecimal digits as it stands, or
  // 16 hexadecimal digits in either case, stored in the first form.
  bool setParam(const char* text, int priority) override;
  bool setParam(long long value, int priority);

  long long getValue() const;
};

}  // namespace plat
