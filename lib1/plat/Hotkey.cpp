#include "lib1/plat/Hotkey.h"

#include <cstring>

#include "lib1/plat/Utf8.h"

namespace plat {

int processHotkeyText(char* text, char** hotkeyPos) {
  if (hotkeyPos) *hotkeyPos = nullptr;
  if (!text) return 0;
  char* in = text;
  char* out = text;
  char* hotkey = nullptr;
  while (*in) {
    if (*in != '&') {
      *out++ = *in++;
      continue;
    }
    in++;
    if (!*in) break;
    if (*in != '&' && !hotkey) hotkey = out;
    *out++ = *in++;
  }
  *out = 0;
  if (!hotkey) return 0;

  // Decoded from the compacted text, so a character whose bytes were split
  // by markers reads as it will be shown.
  int c = static_cast<unsigned char>(*hotkey);
  if (c >= 0x80) {
    const char* p = hotkey + 1;
    c = readUtf8NonAscii(static_cast<unsigned char>(*hotkey), &p, int(out - hotkey));
    if (c < 0) return 0;
  }
  if (hotkeyPos) *hotkeyPos = hotkey;
  return c;
}

}  // namespace plat
