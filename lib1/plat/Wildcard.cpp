#include "lib1/plat/Wildcard.h"

#include <cctype>
#include <cstring>

namespace plat {

namespace {

struct Compare {
  bool caseSensitive;
  bool same(char a, char b) const {
    if (caseSensitive) return a == b;
    return tolower(static_cast<unsigned char>(a)) == tolower(static_cast<unsigned char>(b));
  }
  bool same(const char* a, const char* b, size_t n) const {
    for (size_t i = 0; i < n; i++)
      if (!same(a[i], b[i])) return false;
    return true;
  }
  // The leftmost place in [from, to) where the n bytes of seg start, or null.
  const char* find(const char* seg, size_t n, const char* from, const char* to) const {
    for (const char* t = from; t + n <= to; t++)
      if (same(t, seg, n)) return t;
    return nullptr;
  }
};

}  // namespace

bool Wildcard::match(const char* pattern, const char* text, bool caseSensitive, unsigned flags) {
  const char* p = pattern ? pattern : "";
  const char* t = text ? text : "";
  Compare cmp{caseSensitive};

  if (!(flags & STAR)) {
    size_t n = strlen(p);
    return strlen(t) == n && cmp.same(p, t, n);
  }

  // The segment before the first star anchors at the start.
  while (*p && *p != '*') {
    if (!*t || !cmp.same(*p, *t)) return false;
    p++, t++;
  }
  if (!*p) return !*t;

  // The segment after the last star anchors at the end.
  const char* lastStar = strrchr(p, '*');
  const char* tail = lastStar + 1;
  size_t tailLen = strlen(tail);
  size_t textLen = strlen(t);
  if (tailLen > textLen) return false;
  const char* tailStart = t + textLen - tailLen;
  if (!cmp.same(tail, tailStart, tailLen)) return false;

  // Every segment in between at its leftmost place before the tail.
  while (p < lastStar) {
    while (p < lastStar && *p == '*') p++;
    if (p >= lastStar) break;
    const char* segEnd = strchr(p, '*');
    size_t segLen = size_t(segEnd - p);
    const char* at = cmp.find(p, segLen, t, tailStart);
    if (!at) return false;
    t = at + segLen;
    p = segEnd;
  }
  return true;
}

}  // namespace plat
