// Shortening a text that is too wide: callers ask for it with 1, 2, ...
// characters fewer until the measured result fits.
#pragma once

#include "lib1/plat/String.h"

namespace plat {

class EllipsiseStr {
 public:
  explicit EllipsiseStr(const char* text) : text_(text) {}

  // n = 0 (or less): the whole text. Otherwise the text without its last n
  // characters, followed by U+2026; the ellipsis alone when n covers the
  // whole text. A UTF-8 sequence is one character, and so is each byte that
  // is not part of a valid one.
  String get(int n) const;

 private:
  String text_;
};

}  // namespace plat
