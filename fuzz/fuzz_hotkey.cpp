// Hotkey markers removed in place, against a model that builds the shown
// text and the hotkey's place in a second string and decodes the character
// there with a decoder of its own. The text is given in an exact-size heap
// block, so a read or write past its NUL trips AddressSanitizer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "lib1/plat/Hotkey.h"

namespace {

bool rejected(long v) {
  return v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF) || (v & 0xFFFE) == 0xFFFE ||
         (v >= 0xFDD0 && v <= 0xFDEF);
}

// The code point at s[0..], reading no further than the string's end, or -1
// when the bytes there are not one well-formed, shortest, allowed character.
long decode(const std::string& s, size_t at) {
  unsigned char lead = static_cast<unsigned char>(s[at]);
  if (lead < 0x80) return lead;
  int n = lead >= 0xF0 && lead < 0xF8   ? 4
          : lead >= 0xE0 && lead < 0xF0 ? 3
          : lead >= 0xC0 && lead < 0xE0 ? 2
                                        : 0;
  if (!n || at + n > s.size()) return -1;
  long v = lead & (0xFF >> (n + 1));
  for (int i = 1; i < n; i++) {
    unsigned char b = static_cast<unsigned char>(s[at + i]);
    if ((b & 0xC0) != 0x80) return -1;
    v = (v << 6) | (b & 0x3F);
  }
  static const long shortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (v < shortest[n] || rejected(v)) return -1;
  return v;
}

void check(bool ok, const char* what, const std::string& text) {
  if (!ok) {
    fprintf(stderr, "%s; text '%s'\n", what, text.c_str());
    abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1024) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.c_str();  // the function reads a C string

  std::string shown;
  size_t hotkeyAt = std::string::npos;
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] != '&') {
      shown += text[i];
      continue;
    }
    if (++i == text.size()) break;
    if (text[i] != '&' && hotkeyAt == std::string::npos) hotkeyAt = shown.size();
    shown += text[i];
  }
  long want = hotkeyAt == std::string::npos ? 0 : decode(shown, hotkeyAt);

  std::unique_ptr<char[]> buf(new char[text.size() + 1]);
  memcpy(buf.get(), text.c_str(), text.size() + 1);
  char* pos = reinterpret_cast<char*>(1);  // must be overwritten
  int got = plat::processHotkeyText(buf.get(), &pos);
  check(shown == buf.get(), "shown text differs from the model", text);
  if (want > 0) {
    check(got == want, "hotkey differs from the model", text);
    check(pos == buf.get() + hotkeyAt, "hotkey place differs from the model", text);
  } else {
    check(got == 0, "a hotkey where the model has none", text);
    check(pos == nullptr, "a hotkey place where the model has none", text);
  }
  // Without a place asked for, the same answer.
  memcpy(buf.get(), text.c_str(), text.size() + 1);
  check(plat::processHotkeyText(buf.get(), nullptr) == got, "answer depends on the place", text);
  return 0;
}
