// plat::EscapedValue: a value in the escaped form of settings files
// (backslash, line feed and carriage return written as "\\", "\n", "\r"),
// held as an owned, NUL-terminated copy, for writers that store values in
// the same form elsewhere.
#pragma once

#include "lib1/plat/String.h"

namespace plat {

class EscapedValue {
 public:
  explicit EscapedValue(const char* value);

  const char* get() const { return text_.get(); }
  operator const char*() const { return text_.get(); }

 private:
  String text_;
};

}  // namespace plat
