// plat::String: one owned, NUL-terminated heap text, or null (no value).
// Copies duplicate the text. As a map key, null sorts before every text
// (the empty one included) and texts compare with strcmp.
#pragma once

#include <compare>
#include <cstring>
#include <set>

#include "lib1/plat/StrUtil.h"

namespace plat {

class String {
 public:
  String() = default;
  String(const char* s) : buf_(strDup(s)) {}  // NOLINT: converts like a C string
  String(const char* s, int max) : buf_(strDup(s, max)) {}
  String(const String& o) : buf_(strDup(o.buf_)) {}
  String(String&& o) noexcept : buf_(o.buf_) { o.buf_ = nullptr; }
  ~String() { delete[] buf_; }

  // Takes ownership of an array-new'd text, such as one a parameter hands
  // back: String v = String::adopt(param->getValueStr());
  [[nodiscard]] static String adopt(char* owned) {
    String s;
    s.buf_ = owned;
    return s;
  }

  String& operator=(const String& o) {
    if (this != &o) replaceBuf(strDup(o.buf_));
    return *this;
  }
  String& operator=(String&& o) noexcept {
    if (this != &o) {
      delete[] buf_;
      buf_ = o.buf_;
      o.buf_ = nullptr;
    }
    return *this;
  }
  String& operator=(const char* s) {
    replaceBuf(strDup(s));
    return *this;
  }

  const char* get() const { return buf_; }
  char* data() { return buf_; }
  bool isNull() const { return buf_ == nullptr; }
  int length() const { return strLen(buf_); }

  // Takes ownership of an array-new'd text.
  void replaceBuf(char* newBuf) {
    delete[] buf_;
    buf_ = newBuf;
  }
  // Gives up ownership of the text.
  char* takeBuf() {
    char* b = buf_;
    buf_ = nullptr;
    return b;
  }

  void rstripspace();
  void lstripspace();
  // Inserts sep before every byte position i > 0 divisible by every.
  void intersperse(char sep, int every);
  String& toUpper();
  String& toLower();

  static int compare(const char* a, const char* b) {
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    return strcmp(a, b);
  }
  static bool equal(const char* a, const char* b) { return compare(a, b) == 0; }

  friend bool operator==(const String& a, const String& b) { return equal(a.buf_, b.buf_); }
  friend std::strong_ordering operator<=>(const String& a, const String& b) {
    return compare(a.buf_, b.buf_) <=> 0;
  }

 private:
  char* buf_ = nullptr;
};

// An always empty set, for interfaces that return a set by reference.
const std::set<String>& emptyStringSet();

}  // namespace plat
