#include "lib1/plat/Hex.h"

#include <cstdio>
#include <cstring>

#include "lib1/plat/Exception.h"
#include "lib1/plat/SecureMem.h"

namespace plat {

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool readHexAndShift(char c, int* acc) {
  int v = hexDigitValue(c);
  if (v < 0) return false;
  *acc = *acc * 16 + v;
  return true;
}

bool hexStrToBin(const char* hex, MBuf<unsigned char>* out) {
  out->release();
  size_t len = hex ? strlen(hex) : 0;
  if (len == 0) return true;
  if (len % 2) return false;
  size_t n = len / 2;
  // Zeroed on the way out when secure: the bytes decoded before a bad digit
  // may be part of a secret.
  MBuf<unsigned char> bytes(new unsigned char[n](), int(n), out->secure);
  for (size_t i = 0; i < n; i++) {
    int hi = hexDigitValue(hex[2 * i]), lo = hexDigitValue(hex[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes.data[i] = static_cast<unsigned char>(hi << 4 | lo);
  }
  out->replace(bytes.takeBuf(), int(n));
  return true;
}

char intToHex(int i) {
  if (!(i >= 0 && i <= 15)) throw AssertionFail("i >= 0 && i <= 15", __FILE__, __LINE__);
  return "0123456789abcdef"[i];
}

char* binToHexStr(CBuf<unsigned char> data) {
  int n = data.data && data.length > 0 ? data.length : 0;
  char* text = new char[2 * size_t(n) + 1];
  for (int i = 0; i < n; i++) {
    text[2 * i] = intToHex(data.data[i] >> 4);
    text[2 * i + 1] = intToHex(data.data[i] & 15);
  }
  text[2 * n] = 0;
  return text;
}

void hexDump(const char* prefix, const char* linePrefix, const unsigned char* data, int len) {
  fputs(prefix ? prefix : "", stderr);
  char text[17];
  int used = 0;
  for (int i = 0; i < len; i++) {
    if (i && i % 16 == 0) fputs(linePrefix ? linePrefix : "", stderr);
    fprintf(stderr, "%02x ", data[i]);
    if (i % 4 == 3) fputc(' ', stderr);
    text[used++] = data[i] >= 0x20 && data[i] <= 0x7e ? char(data[i]) : '.';
    if (used == 16) {
      text[used] = 0;
      fprintf(stderr, "%s\n", text);
      used = 0;
    }
  }
  if (used) {
    // Pad the short last line so that its text lines up with the others.
    for (int j = used; j < 16; j++) fputs(j % 4 == 3 ? "    " : "   ", stderr);
    text[used] = 0;
    fprintf(stderr, "%s\n", text);
  }
  fflush(stderr);
}

}  // namespace plat
