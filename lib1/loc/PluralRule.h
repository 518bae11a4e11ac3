// Plural forms: a plural message is registered as one key per form, the
// message key, "_" and the form name. A rule tells which form a count takes
// and which forms a range of counts needs:
//   one/other          "sing" for 1, "zeromany" otherwise (most languages)
//   zero-or-one/many   "zerosing" for 0 and 1, "many" otherwise (fr, pt_BR)
//   invariant          "singplural" always (ja, vi, ko, zh)
#pragma once

#include <vector>

#include "lib1/plat/SString.h"

namespace loc {

struct PluralRule {
  const char* (*form)(int n);
  // Appends "<key>_<form>" for each form some count of [min, max] takes.
  void (*forms)(const char* key, int min, int max, std::vector<plat::SString<256>>* out);
};

// The rule of a locale name, by its language and country (exact case).
const PluralRule* getRuleForLocale(const char* locale);

}  // namespace loc
