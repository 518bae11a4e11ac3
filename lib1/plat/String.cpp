#include "lib1/plat/String.h"

#include <cctype>

namespace plat {

void String::rstripspace() {
  if (!buf) return;
  int n = int(strlen(buf));
  while (n > 0 && isspace(static_cast<unsigned char>(buf[n - 1]))) n--;
  buf[n] = 0;
}

void String::lstripspace() {
  if (!buf || !isspace(static_cast<unsigned char>(buf[0]))) return;
  const char* p = buf;
  while (isspace(static_cast<unsigned char>(*p))) p++;
  replaceBuf(strDup(p));
}

void String::intersperse(char sep, int every) {
  if (every == 0) return;
  // A position divisible by every is divisible by -every too.
  unsigned step = every < 0 ? 0u - unsigned(every) : unsigned(every);
  const char* s = buf ? buf : "";
  unsigned len = unsigned(strlen(s));
  unsigned seps = len > 0 ? (len - 1) / step : 0;
  char* out = new char[len + seps + 1];
  char* o = out;
  for (unsigned i = 0; i < len; i++) {
    if (i > 0 && i % step == 0) *o++ = sep;
    *o++ = s[i];
  }
  *o = 0;
  replaceBuf(out);
}

String& String::toUpper() {
  if (buf)
    for (char* p = buf; *p; p++) *p = char(toupper(static_cast<unsigned char>(*p)));
  return *this;
}

String& String::toLower() {
  if (buf)
    for (char* p = buf; *p; p++) *p = char(tolower(static_cast<unsigned char>(*p)));
  return *this;
}

const std::set<String>& emptyStringSet() {
  static const std::set<String> empty;
  return empty;
}

}  // namespace plat
