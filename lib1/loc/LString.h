// Localised formats. A translated format does not go through printf: each
// argument carries its kind, a placeholder may name its argument by position
// ("%2$S"), and a placeholder that does not fit its argument is written out
// marked ("%%" and its characters) and logged, never read past the list.
//
//   %S string (".N" precision: at most N bytes, whole characters)
//   %D signed or unsigned integer ("+" flag for a signed one)
//   %X unsigned integer in lower-case hexadecimal
//   %% one "%"
// A placeholder without a position needs a list of exactly one argument.
#pragma once

#include <cstddef>

#include "lib1/plat/DString.h"

namespace loc {

struct PrintfArg {
  enum Kind { SIGNED = 0, UNSIGNED = 1, STRING = 2 };

  PrintfArg(int v, const PrintfArg* n = nullptr) : kind(SIGNED), sval(v), next(n) {}
  PrintfArg(unsigned int v, const PrintfArg* n = nullptr) : kind(UNSIGNED), uval(v), next(n) {}
  PrintfArg(const char* v, const PrintfArg* n = nullptr) : kind(STRING), str(v), next(n) {}

  // Itself for n = 1, the argument n-1 places further on, null when there is
  // no such argument.
  const PrintfArg* getNth(int n) const;

  int kind;
  int sval = 0;
  unsigned int uval = 0;
  const char* str = nullptr;  // borrowed UTF-8; null reads as empty
  const PrintfArg* next;
};

struct PrintfArgList {
  const PrintfArg* first = nullptr;
};

class LString : public plat::DString {
 public:
  // Replaces the text with the expansion of format. Never throws for a bad
  // format: bad placeholders are marked in the result and logged.
  LString& xprintf(const char* format, const PrintfArgList& args);

  // The same with the arguments given directly: ints, unsigned ints and
  // strings, in order. The list lives on the stack for the call.
  template <typename... Args>
  LString& xprintf(const char* format, Args... args) {
    if constexpr (sizeof...(Args) == 0) {
      return xprintf(format, PrintfArgList{});
    } else {
      PrintfArg list[] = {PrintfArg(args)...};
      for (size_t i = 0; i + 1 < sizeof...(Args); i++) list[i].next = &list[i + 1];
      return xprintf(format, PrintfArgList{list});
    }
  }

  // Word-wraps under the user-interface C-library locale, so that character
  // widths follow the user's language.
  LString& wordWrap(int width, int indent);
};

}  // namespace loc
