// loc::msgid_t: a message key such as "plat_param_log" (component, unit and
// item joined by underscores). It is a type of its own, not a bare C string,
// so that an overload taking a key and one taking a literal text can stand
// side by side (the parameter constructors have both).
//
// The platform library names keys before the localisation library exists to
// turn them into texts, so the type lives here and lib1/loc uses it.
#pragma once

namespace loc {

class msgid_t {
 public:
  constexpr msgid_t() = default;
  constexpr explicit msgid_t(const char* key) : key_(key) {}

  constexpr const char* get() const { return key_; }
  constexpr bool isNull() const { return key_ == nullptr; }

 private:
  const char* key_ = nullptr;
};

}  // namespace loc
