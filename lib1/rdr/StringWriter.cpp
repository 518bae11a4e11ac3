#include "lib1/rdr/StringWriter.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "lib1/plat/Exception.h"

namespace rdr {

StringWriter::StringWriter(OutStream* os) : os_(os) { terminate(); }

void StringWriter::ensure(int n) {
  if (os_->end - os_->ptr < n) os_->overrun(n, 1);
}

void StringWriter::terminate() {
  ensure(1);
  *os_->ptr = 0;
}

StringWriter& StringWriter::append(const char* s, int length) {
  if (s) {
    int n = length < 0 ? int(strlen(s)) : int(strnlen(s, length));
    os_->writeBytes(s, n);
  }
  terminate();
  return *this;
}

StringWriter& StringWriter::appendChar(char c) {
  ensure(2);
  *os_->ptr++ = static_cast<unsigned char>(c);
  *os_->ptr = 0;
  return *this;
}

StringWriter& StringWriter::appendChar(char c, int count) {
  if (count <= 0) return *this;
  if (count > INT_MAX - 1) throw plat::Exception("StringWriter: text too long");
  ensure(count + 1);
  memset(os_->ptr, c, count);
  os_->ptr += count;
  *os_->ptr = 0;
  return *this;
}

StringWriter& StringWriter::prf(const char* format, ...) {
  int guess = int(strlen(format));
  for (;;) {
    if (guess > INT_MAX - 1) throw plat::Exception("StringWriter: text too long");
    ensure(guess + 1);
    va_list args;
    va_start(args, format);
    int room = int(os_->end - os_->ptr);
    int r = vsnprintf(reinterpret_cast<char*>(os_->ptr), room, format, args);
    va_end(args);
    if (r < 0) {
      // An error of the C library (a bad wide character, a result beyond
      // INT_MAX): more room will not mend it.
      *os_->ptr = 0;
      throw plat::Exception("StringWriter: formatting failed");
    }
    if (r < room) {
      os_->ptr += r;
      return *this;
    }
    guess = r;
  }
}

}  // namespace rdr
