// plat::EscapedValue: a value in the escaped form of settings files
// (backslash, line feed and carriage return written as "\\", "\n", "\r"),
// held as an owned, NUL-terminated copy, for writers that store values in
// the same form elsewhere.
#pragma once

#include <memory>

namespace plat {

class EscapedValue {
 public:
  explicit EscapedValue(const char* value);

  const char* get() const { return text_.get(); }
  operator const char*() const { return text_.get(); }

 private:
  std::unique_ptr<char[]> text_;
};

}  // namespace plat
