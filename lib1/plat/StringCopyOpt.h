// plat::StringCopyOpt: a map key that either owns a private copy of its text
// or borrows a pointer that outlives it (a string literal of a message table,
// a look-up key built on the stack). Copying an owning key copies the text;
// copying a borrowing key copies the pointer. Null sorts before every text.
#pragma once

#include <cstring>

#include "lib1/plat/StrUtil.h"

namespace plat {

class StringCopyOpt {
 public:
  StringCopyOpt(const char* s, bool copy) : str_(copy ? strDup(s) : s), owned_(copy) {}
  StringCopyOpt(const StringCopyOpt& o)
      : str_(o.owned_ ? strDup(o.str_) : o.str_), owned_(o.owned_) {}
  StringCopyOpt& operator=(const StringCopyOpt&) = delete;
  ~StringCopyOpt() {
    if (owned_) delete[] str_;
  }

  const char* get() const { return str_; }
  bool owned() const { return owned_; }

  friend bool operator<(const StringCopyOpt& a, const StringCopyOpt& b) {
    if (!a.str_ || !b.str_) return !a.str_ && b.str_;
    return strcmp(a.str_, b.str_) < 0;
  }

 private:
  const char* str_;
  bool owned_;
};

}  // namespace plat
