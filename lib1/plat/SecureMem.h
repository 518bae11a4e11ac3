// Memory operations that the compiler may not drop or shorten, for secrets.
#pragma once

#include <cstddef>

namespace plat {

void secureZeroMemory(void* p, size_t n);
void secureMemCpy(void* dst, const void* src, size_t n);
// Reads all n bytes whatever they hold (no early exit); n == 0 is equal.
bool secureMemEq(const void* a, const void* b, size_t n);
char* secureStrDup(const char* s, int max = -1);
// strcmp on unsigned bytes; both null 0, only a null -1, only b null 1.
int secureStrCmp(const char* a, const char* b);

}  // namespace plat
