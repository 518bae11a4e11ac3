// UTF-8 validation, repair, escaping for display and the Latin-1
// conversions on arbitrary bytes. Each input is given in an exact-size heap
// block, so that a read past the end of a range trips AddressSanitizer, and
// the results are checked against each other.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib1/plat/Utf8.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "invariant broken: %s\n", what);
    abort();
  }
}

std::string own(char* s) {
  std::string r(s);
  delete[] s;
  return r;
}

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Repair character by character with the public decoder, the plain way;
// *valid tells whether nothing needed replacing.
std::string referenceRepair(const char* p, const char* end, bool* valid) {
  std::string out;
  *valid = true;
  while (p < end && *p) {
    const char* from = p;
    unsigned char b = static_cast<unsigned char>(*p++);
    if (b < 0x80 || plat::readUtf8NonAscii(b, &p, int(end - from)) >= 0) {
      out.append(from, p);
    } else {
      out += "\xEF\xBF\xBD";
      *valid = false;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  char* range = new char[size ? size : 1];
  memcpy(range, data, size);
  const char* end = range + size;
  // The same text NUL-terminated: the forms agree up to the first NUL.
  std::string text(range, strnlen(range, size));
  const char* s = text.c_str();

  bool valid = plat::isValidUtf8(range, end);
  check(valid == plat::isValidUtf8(s), "range and NUL-terminated validation agree");

  // Repair always gives valid text, and changes nothing exactly when the
  // input was valid already.
  std::string repaired = own(plat::sanitizeUtf8(range, end));
  bool referenceValid;
  check(repaired == referenceRepair(range, end, &referenceValid), "sanitize as the decoder says");
  check(valid == referenceValid, "validation as the decoder says");
  check(plat::isValidUtf8(repaired.c_str()), "sanitize output is valid");
  check(valid == (repaired == text), "valid exactly when sanitize is a no-op");
  std::string repairedNul = own(plat::sanitizeUtf8(s));
  check(plat::isValidUtf8(repairedNul.c_str()), "sanitize of a C string is valid");
  int maxBytes = size ? data[0] % 64 : 0;
  std::string cut = own(plat::sanitizeUtf8(range, end, maxBytes));
  check(int(cut.size()) <= maxBytes, "sanitize respects maxBytes");
  check(repaired.compare(0, cut.size(), cut) == 0, "a limited repair is a prefix");
  check(plat::isValidUtf8(cut.c_str()), "a limited repair is valid");

  // Escaped text is printable: no control byte, no DEL, and valid UTF-8.
  std::string shown = own(plat::strvisUtf8(s, '~'));
  check(shown.size() <= 4 * text.size(), "strvis fits its buffer");
  check(plat::isValidUtf8(shown.c_str()), "strvis output is valid");
  for (unsigned char c : shown) check(c >= 0x20 && c != 0x7F, "strvis output is printable");
  if (valid && text.find_first_of("~\x7F") == std::string::npos) {
    bool controls = false;
    for (unsigned char c : text) controls |= c < 0x20;
    if (!controls) check(shown == text, "strvis leaves plain valid text alone");
  }

  // Latin-1 -> UTF-8 -> Latin-1 is the identity on text without NUL.
  char* outEnd = nullptr;
  char* utf8 = plat::latin1ToUtf8(range, end, &outEnd);
  check(size_t(outEnd - utf8) <= 3 * text.size(), "latin1ToUtf8 size");
  check(plat::isValidUtf8(utf8), "latin1ToUtf8 output is valid");
  check(own(plat::utf8ToLatin1(utf8)) == text, "Latin-1 round trip");
  delete[] utf8;
  std::string latin = own(plat::utf8ToLatin1(range, end));
  check(latin.size() <= text.size(), "utf8ToLatin1 never grows");
  plat::MBuf<char> buf(true);
  plat::utf8ToLatin1(plat::CBuf<char>{int(size), range}, &buf);
  check(std::string(buf.data, buf.length) == latin, "buffer form agrees");
  plat::latin1ToUtf8(buf.view(), &buf);  // in and out share the array
  check(plat::isValidUtf8(buf.data), "buffer form round trip is valid");

  // Positions land on character boundaries inside the text.
  int L = int(text.size());
  int pos = size > 1 ? int(int8_t(data[1])) : 0, len = size > 2 ? int(int8_t(data[2])) : -1;
  plat::fixupUtf8Pos(s, &pos, &len);
  check(pos >= 0 && pos <= L && len >= 0 && pos + len <= L, "fixupUtf8Pos stays inside");
  check(pos == L || !isContinuation(s[pos]), "fixupUtf8Pos start on a boundary");
  check(len == 0 || pos + len == L || !isContinuation(s[pos + len]), "fixupUtf8Pos end");
  for (const char* p = s + L; p > s;) {
    const char* before = p;
    plat::utf8Back1(&p, s);
    check(p < before && p >= s, "utf8Back1 moves back, never before the start");
  }
  plat::utf8NumColumns(range, end);
  delete[] range;
  return 0;
}
