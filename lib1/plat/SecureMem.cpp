#include "lib1/plat/SecureMem.h"

#include "lib1/plat/StrUtil.h"

namespace plat {

void secureZeroMemory(void* p, size_t n) {
  volatile unsigned char* q = static_cast<volatile unsigned char*>(p);
  while (n--) *q++ = 0;
}

void secureMemCpy(void* dst, const void* src, size_t n) {
  volatile unsigned char* d = static_cast<volatile unsigned char*>(dst);
  const volatile unsigned char* s = static_cast<const volatile unsigned char*>(src);
  while (n--) *d++ = *s++;
}

bool secureMemEq(const void* a, const void* b, size_t n) {
  const volatile unsigned char* x = static_cast<const volatile unsigned char*>(a);
  const volatile unsigned char* y = static_cast<const volatile unsigned char*>(b);
  unsigned char diff = 0;
  for (size_t i = 0; i < n; i++) diff |= x[i] ^ y[i];
  return diff == 0;
}

char* secureStrDup(const char* s, int max) {
  if (!s) return nullptr;
  int len = strLen(s, max);
  char* copy = new char[len + 1];
  secureMemCpy(copy, s, len);
  copy[len] = 0;
  return copy;
}

int secureStrCmp(const char* a, const char* b) {
  if (!a || !b) return a ? 1 : b ? -1 : 0;
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
  while (*x && *x == *y) x++, y++;
  return *x < *y ? -1 : *x > *y ? 1 : 0;
}

}  // namespace plat
