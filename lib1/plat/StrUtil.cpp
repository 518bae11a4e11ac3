#include "lib1/plat/StrUtil.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "lib1/plat/Exception.h"
#include "lib1/plat/String.h"

namespace plat {

int strLen(const char* s) { return s ? int(strlen(s)) : 0; }

int strLen(const char* s, int max) {
  if (!s) return 0;
  return max < 0 ? int(strlen(s)) : int(strnlen(s, max));
}

char* strDup(const char* s, int max) {
  if (!s) return nullptr;
  int len = strLen(s, max);
  char* copy = new char[len + 1];
  memcpy(copy, s, len);
  copy[len] = 0;
  return copy;
}

int strCpy(char* dst, const char* src, int dstSize) {
  int len = strLen(src);
  if (dstSize < 1) return len;  // no room even for the NUL: write nothing
  int n = len < dstSize - 1 ? len : dstSize - 1;
  if (n > 0) memcpy(dst, src, n);
  dst[n] = 0;
  return len;
}

bool strBegins(const char* s, const char* prefix) {
  if (!prefix) return true;
  if (!s) return !*prefix;
  return strncmp(s, prefix, strlen(prefix)) == 0;
}

bool strEnds(const char* s, const char* suffix) {
  if (!suffix) return true;
  if (!s) return !*suffix;
  size_t sl = strlen(s), xl = strlen(suffix);
  return xl <= sl && memcmp(s + sl - xl, suffix, xl) == 0;
}

uint64_t strHash(const char* s) {
  uint64_t h = 0xcbf29ce484222325ull;
  if (s)
    for (; *s; s++) {
      h ^= static_cast<unsigned char>(*s);
      h *= 0x100000001b3ull;
    }
  return h;
}

bool strToInt(int* out, const char** pp, int base) {
  *out = 0;
  if (!*pp) return false;
  int savedErrno = errno;
  errno = 0;
  char* endp;
  long v = strtol(*pp, &endp, base);
  bool rangeError = errno == ERANGE;
  errno = savedErrno;
  if (endp == *pp || rangeError || v < INT_MIN || v > INT_MAX) return false;
  *out = int(v);
  *pp = endp;
  return true;
}

bool strToInt(int* out, const char* s, int base) {
  const char* p = s;
  return strToInt(out, &p, base) && *p == 0;
}

int strToInt(const char** pp, int base) {
  int v;
  if (!strToInt(&v, pp, base)) throw BadInt();
  return v;
}

bool strToUint(unsigned int* out, const char** pp, int base) {
  *out = 0;
  if (!*pp) return false;
  int savedErrno = errno;
  errno = 0;
  char* endp;
  unsigned long v = strtoul(*pp, &endp, base);
  bool rangeError = errno == ERANGE;
  errno = savedErrno;
  // strtoul accepts a minus sign and negates; a negative number is no
  // unsigned number.
  bool negative = memchr(*pp, '-', endp - *pp) != nullptr;
  if (endp == *pp || rangeError || negative || v > UINT_MAX) return false;
  *out = unsigned(v);
  *pp = endp;
  return true;
}

bool strToUint(unsigned int* out, const char* s, int base) {
  const char* p = s;
  if (!strToUint(out, &p, base)) return false;
  if (*p != 0) {
    *out = 0;
    return false;
  }
  return true;
}

void appendUniq(std::vector<String>* v, const char* s) {
  for (const String& e : *v)
    if (String::equal(e.get(), s)) return;
  v->emplace_back(s);
}

}  // namespace plat
