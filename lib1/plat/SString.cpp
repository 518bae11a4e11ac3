#include "lib1/plat/SString.h"

#include <cstdio>

namespace plat {

namespace {

// After a write that did not fit, the last stored byte may be part of a
// character whose tail was lost. Look back over at most four bytes, never
// before `from` (where this append began), and cut at the lead byte of an
// incomplete sequence.
void cutPartialUtf8(char* buf, int from, int end) {
  int i = end - 1;
  int lowest = end - 4 > from ? end - 4 : from;
  while (i >= lowest && (static_cast<unsigned char>(buf[i]) & 0xC0) == 0x80) i--;
  if (i < lowest) return;  // only continuation bytes in the window: leave it
  unsigned char lead = static_cast<unsigned char>(buf[i]);
  int seqLen = 0;
  if ((lead & 0xE0) == 0xC0)
    seqLen = 2;
  else if ((lead & 0xF0) == 0xE0)
    seqLen = 3;
  else if ((lead & 0xF8) == 0xF0)
    seqLen = 4;
  if (seqLen && i + seqLen > end) buf[i] = 0;
}

}  // namespace

void SString_append(char* buf, int cap, const char* s, int n) {
  if (!s) return;
  int old = int(strnlen(buf, cap - 1));
  int len = n < 0 ? int(strlen(s)) : int(strnlen(s, n));
  if (old + len >= cap) {
    int fit = cap - old - 1;
    memcpy(buf + old, s, fit);
    buf[cap - 1] = 0;
    cutPartialUtf8(buf, old, cap - 1);
    return;
  }
  memcpy(buf + old, s, len);
  buf[old + len] = 0;
}

void SString_appendChar(char* buf, int cap, char c, int count) {
  int old = int(strnlen(buf, cap - 1));
  int fit = cap - old - 1;
  if (count > fit) count = fit;
  if (count <= 0) return;
  memset(buf + old, c, count);
  buf[old + count] = 0;
}

void SString_vprf(char* buf, int cap, const char* format, va_list args) {
  int old = int(strnlen(buf, cap - 1));
  int space = cap - old;
  int r = vsnprintf(buf + old, space, format, args);
  if (r < 0) {
    // The C library gave up (an encoding error, say). What it stored, if
    // anything, is of unknown length; keep the text as it was.
    buf[old] = 0;
  } else if (r >= space) {
    cutPartialUtf8(buf, old, cap - 1);
  }
  buf[cap - 1] = 0;
}

void SString_prf(char* buf, int cap, const char* format, ...) {
  va_list args;
  va_start(args, format);
  SString_vprf(buf, cap, format, args);
  va_end(args);
}

}  // namespace plat
