// Localised formats: an arbitrary format with up to four arguments of the
// kinds the input chooses. Expansion must never read a missing argument or
// throw, and must agree with a second route where one is easy: a format
// without "%" comes back unchanged, and "%%" alone becomes "%".
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib1/loc/LString.h"
#include "lib1/loc/Localize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int count = data[0] & 3;
  int kinds = data[0] >> 2;
  data++;
  size--;
  // The arguments' strings come first, each up to a NUL; the rest is the format.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string strings[4];
  size_t pos = 0;
  for (int i = 0; i < count; i++) {
    size_t nul = bytes.find('\0', pos);
    if (nul == std::string::npos) nul = bytes.size();
    strings[i] = bytes.substr(pos, nul - pos);
    pos = nul < bytes.size() ? nul + 1 : nul;
  }
  std::string format = bytes.substr(pos);
  format = format.substr(0, format.find('\0'));

  loc::PrintfArg* next = nullptr;
  loc::PrintfArg* args[4] = {};
  for (int i = count - 1; i >= 0; i--) {
    int kind = (kinds >> (2 * i)) & 3;
    int value = int(strings[i].size()) - 3;
    if (kind == 0)
      args[i] = new loc::PrintfArg(value, next);
    else if (kind == 1)
      args[i] = new loc::PrintfArg(unsigned(value), next);
    else
      args[i] = new loc::PrintfArg(kind == 2 ? strings[i].c_str() : nullptr, next);
    next = args[i];
  }
  loc::LString s;
  s.xprintf(format.c_str(), loc::PrintfArgList{count ? args[0] : nullptr});
  if (!strchr(format.c_str(), '%') && format != s.get()) abort();
  if (format == "%%" && strcmp(s.get(), "%") != 0) abort();
  // Each placeholder writes at most its argument (three bytes for each byte
  // a precision repairs), a number, or "%%" and then its characters as text.
  size_t bound = 2 * format.size() + 16;
  for (int i = 0; i < count; i++) bound += format.size() * (3 * strings[i].size() + 24);
  if (strlen(s.get()) > bound) abort();
  for (loc::PrintfArg* a : args) delete a;
  return 0;
}
