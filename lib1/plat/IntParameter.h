// plat::IntParameter: an integer setting within an inclusive range, written
// as the C library reads a long in base 0 (decimal, 0x hexadecimal, leading-0
// octal). plat::EnumParameter: an index into a table of names, written as the
// name.
#pragma once

#include <climits>

#include "lib1/plat/TypedParameter.h"

namespace plat {

class IntParameter : public TypedParameter<int> {
 public:
  // The default is stored as given; the range applies to later values.
  IntParameter(const char* name, loc::msgid_t description, int defaultValue, bool advanced,
               Configuration* config, int min = INT_MIN, int max = INT_MAX);
  IntParameter(const char* name, const char* description, int defaultValue, bool advanced,
               Configuration* config, int min = INT_MIN, int max = INT_MAX);

  bool setParam(const char* text, int priority) override;
  // Stores value when it lies in min..max; false otherwise, without a log.
  bool setParam(int value, int priority);
  bool setIntValue(int value, int priority) override {
    return IntParameter::setParam(value, priority);
  }
  int getIntValue() const override { return getValue(); }
  bool isInt() const override { return true; }
  ConfigParameter* clone(Configuration* target) const override;

  int getValue() const { return effective().second; }

  int min;
  int max;

 protected:
  IntParameter(const IntParameter& other, Configuration* target)
      : TypedParameter<int>(other, target), min(other.min), max(other.max) {}
};

class EnumParameter : public IntParameter {
 public:
  // names is a null-terminated table of at least one name; it is borrowed
  // (keep it alive). A default name not in the table leaves index 0.
  EnumParameter(const char* name, loc::msgid_t description, const char* defaultName,
                const char* const* names, bool advanced, Configuration* config);
  EnumParameter(const char* name, const char* description, const char* defaultName,
                const char* const* names, bool advanced, Configuration* config);
  ~EnumParameter() override;

  using IntParameter::setParam;
  // Matches text against the names, ignoring letter case.
  bool setParam(const char* text, int priority) override;
  bool isEnum() const override { return true; }
  ConfigParameter* clone(Configuration* target) const override;

  const char* const* names;

 protected:
  EnumParameter(const EnumParameter& other, Configuration* target);
  char* valueToStr(const int& value) const override;

 private:
  void init(const char* defaultName);
  bool ownsNames_ = false;
};

}  // namespace plat
