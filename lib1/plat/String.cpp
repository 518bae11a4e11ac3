#include "lib1/plat/String.h"

#include <cctype>
#include <memory>

namespace plat {

void String::rstripspace() {
  if (!buf_) return;
  int n = int(strlen(buf_));
  while (n > 0 && isspace(static_cast<unsigned char>(buf_[n - 1]))) n--;
  buf_[n] = 0;
}

void String::lstripspace() {
  if (!buf_ || !isspace(static_cast<unsigned char>(buf_[0]))) return;
  const char* p = buf_;
  while (isspace(static_cast<unsigned char>(*p))) p++;
  replaceBuf(strDup(p));
}

void String::intersperse(char sep, int every) {
  if (every == 0) return;
  // A position divisible by every is divisible by -every too.
  unsigned step = every < 0 ? 0u - unsigned(every) : unsigned(every);
  const char* s = buf_ ? buf_ : "";
  unsigned len = unsigned(strlen(s));
  unsigned seps = len > 0 ? (len - 1) / step : 0;
  std::unique_ptr<char[]> out(new char[len + seps + 1]);
  char* o = out.get();
  for (unsigned i = 0; i < len; i++) {
    if (i > 0 && i % step == 0) *o++ = sep;
    *o++ = s[i];
  }
  *o = 0;
  replaceBuf(out.release());
}

String& String::toUpper() {
  if (buf_)
    for (char* p = buf_; *p; p++) *p = char(toupper(static_cast<unsigned char>(*p)));
  return *this;
}

String& String::toLower() {
  if (buf_)
    for (char* p = buf_; *p; p++) *p = char(tolower(static_cast<unsigned char>(*p)));
  return *this;
}

const std::set<String>& emptyStringSet() {
  static const std::set<String> empty;
  return empty;
}

}  // namespace plat
