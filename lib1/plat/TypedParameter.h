// plat::TypedParameter<T>: the values of a parameter, one per priority, for
// T = bool, int, plat::String and plat::MBuf<unsigned char>. The effective
// value is the first entry of `values`; the constructors of the concrete
// classes store the default at 100, which is never removed, so the map is
// never empty.
#pragma once

#include <map>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Buffers.h"
#include "lib1/plat/ConfigParameter.h"

namespace plat {

template <typename T>
class TypedParameter : public ConfigParameter {
 public:
  void unsetParam(int priority, bool notify) override;
  char* getValueStr() const override;
  int getPriority() const override { return effective().first; }
  std::map<int, String> getStringValues() const override;

  // Stores value at priority, logs it and tells the observers. Storing the
  // value already held at that priority does nothing and returns true.
  bool setValue(const T& value, int priority);

  std::map<int, T> values;

 protected:
  TypedParameter(const char* paramName, const char* desc, loc::msgid_t descKey, bool isAdvanced,
                 Configuration* config)
      : ConfigParameter(paramName, desc, descKey, isAdvanced, config) {}

  // The priority and value in effect: the first entry of the map that is
  // never empty.
  const std::pair<const int, T>& effective() const {
    PLAT_ASSERT(!values.empty());
    return *values.begin();
  }
  // Copies the base fields and every stored value into target.
  TypedParameter(const TypedParameter& other, Configuration* target);

  // The text form of a value; the caller frees it with delete[].
  virtual char* valueToStr(const T& value) const;
};

extern template class TypedParameter<bool>;
extern template class TypedParameter<int>;
extern template class TypedParameter<String>;
extern template class TypedParameter<MBuf<unsigned char>>;

}  // namespace plat
