#include "lib1/loc/PluralRule.h"

#include <cstring>

#include "lib1/loc/LocaleNames.h"

namespace loc {

namespace {

void add(const char* key, const char* form, std::vector<plat::SString<256>>* out) {
  plat::SString<256> k;
  k.prf("%s_%s", key, form);
  out->push_back(k);
}

const char* oneOtherForm(int n) { return n == 1 ? "sing" : "zeromany"; }
void oneOtherForms(const char* key, int min, int max, std::vector<plat::SString<256>>* out) {
  if (min <= 1 && 1 <= max) add(key, "sing", out);
  if (!(min == 1 && max == 1)) add(key, "zeromany", out);
}

// Counts compare as unsigned, so a negative count is "many".
const char* zeroOneManyForm(int n) { return unsigned(n) <= 1 ? "zerosing" : "many"; }
void zeroOneManyForms(const char* key, int min, int max, std::vector<plat::SString<256>>* out) {
  if (min <= 1 && max >= 0) add(key, "zerosing", out);
  if (max >= 2 || min < 0) add(key, "many", out);
}

const char* invariantForm(int) { return "singplural"; }
void invariantForms(const char* key, int, int, std::vector<plat::SString<256>>* out) {
  add(key, "singplural", out);
}

constexpr PluralRule oneOther = {oneOtherForm, oneOtherForms};
constexpr PluralRule zeroOneMany = {zeroOneManyForm, zeroOneManyForms};
constexpr PluralRule invariant = {invariantForm, invariantForms};

}  // namespace

const PluralRule* getRuleForLocale(const char* locale) {
  LocaleParts parts(locale);
  const char* lang = parts.lang.get() ? parts.lang.get() : "";
  const char* country = parts.country.get();
  if (strcmp(lang, "fr") == 0) return &zeroOneMany;
  if (strcmp(lang, "pt") == 0 && country && strcmp(country, "BR") == 0) return &zeroOneMany;
  for (const char* l : {"ja", "vi", "ko", "zh"})
    if (strcmp(lang, l) == 0) return &invariant;
  return &oneOther;
}

}  // namespace loc
