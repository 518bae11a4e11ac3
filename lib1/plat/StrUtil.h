// Free functions on C strings, used in place of the C library's. Null is
// accepted wherever a string may be absent and reads as empty unless stated
// otherwise. Returned texts are allocated with array new.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

class String;

int strLen(const char* s);
int strLen(const char* s, int max);  // at most max bytes; max < 0: unbounded
char* strDup(const char* s, int max = -1);
// Copies at most dstSize-1 bytes and a NUL (nothing when dstSize < 1);
// returns the full length of src.
int strCpy(char* dst, const char* src, int dstSize);
bool strBegins(const char* s, const char* prefix);
bool strEnds(const char* s, const char* suffix);
uint64_t strHash(const char* s);  // 64-bit FNV-1a

// Parse at *pp with strtol/strtoul rules (errno untouched) and advance *pp.
bool strToInt(int* out, const char** pp, int base);
bool strToInt(int* out, const char* s, int base);  // the whole string only
int strToInt(const char** pp, int base);           // throws BadInt
bool strToUint(unsigned int* out, const char** pp, int base);
bool strToUint(unsigned int* out, const char* s, int base);

void appendUniq(std::vector<String>* v, const char* s);

// Rounded division of non-negative a by b; 0 when b is 0.
inline int divrndNN(int a, int b) { return b == 0 ? 0 : (a + b / 2) / b; }

}  // namespace plat
