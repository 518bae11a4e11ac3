// Fixed-capacity strings held inline. They never allocate and never overflow:
// text that does not fit is cut, and never inside a UTF-8 character. Exceptions
// and log lines are built with them, so they must work when memory is short.
#pragma once

#include <cstdarg>
#include <cstring>

namespace plat {

// Primitives on a bare buffer of cap bytes. Each keeps buf NUL-terminated.
void SString_append(char* buf, int cap, const char* s, int n = -1);
void SString_appendChar(char* buf, int cap, char c, int count);
void SString_vprf(char* buf, int cap, const char* format, va_list args)
    __attribute__((format(printf, 3, 0)));
void SString_prf(char* buf, int cap, const char* format, ...) __attribute__((format(printf, 3, 4)));

template <int N>
class SString {
  static_assert(N >= 2, "an SString needs room for a character and the NUL");

 public:
  SString() { buf_[0] = 0; }
  explicit SString(const char* s) {
    buf_[0] = 0;
    append(s);
  }

  const char* get() const { return buf_; }
  operator const char*() const { return buf_; }
  char* data() { return buf_; }
  int length() const { return int(strlen(buf_)); }
  bool isEmpty() const { return buf_[0] == 0; }
  static constexpr int capacity() { return N; }

  void clear() { buf_[0] = 0; }
  SString& append(const char* s, int n = -1) {
    SString_append(buf_, N, s, n);
    return *this;
  }
  SString& appendChar(char c, int count = 1) {
    SString_appendChar(buf_, N, c, count);
    return *this;
  }
  SString& vprf(const char* format, va_list args) __attribute__((format(printf, 2, 0))) {
    SString_vprf(buf_, N, format, args);
    return *this;
  }
  SString& prf(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    va_list args;
    va_start(args, format);
    SString_vprf(buf_, N, format, args);
    va_end(args);
    return *this;
  }

 private:
  char buf_[N];
};

// An SString<N> that starts out holding the formatting of its arguments.
template <int N = 256>
class SPrintf : public SString<N> {
 public:
  SPrintf(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    va_list args;
    va_start(args, format);
    this->vprf(format, args);
    va_end(args);
  }
};

}  // namespace plat
