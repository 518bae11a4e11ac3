// Locale names: splitting "lang_COUNTRY.codeset@modifier", filling in the
// usual country of a bare language, the ordered locale list of a ":"-separated
// setting, the string locales under which texts are stored, and the GNU-style
// LANGUAGE list. Nothing here changes case or touches the C library's locale.
#pragma once

#include <vector>

#include "lib1/plat/String.h"

namespace loc {

// The parts of a locale name: the language up to the first of "_", "-", "."
// or "@"; after "_" or "-" the country up to "." or "@" (it may be empty).
// Codeset and modifier are dropped.
struct LocaleParts {
  explicit LocaleParts(const char* name);
  plat::String lang;
  plat::String country;  // null when the name has no country part
};

// The joined name "lang<sep>country", or lang alone; null for an empty
// language. A null country becomes defCountry when lang is defLang, else the
// canonical country of lang.
class LangCountry {
 public:
  LangCountry(const char* lang, const char* country, const char* defLang, const char* defCountry,
              const char* sep);
  const char* get() const { return name_.get(); }

 private:
  plat::String name_;
};

// The usual country of a language ("de" -> "DE"), or null.
const char* langToCanonCountry(const char* lang);

// Appends the canonical names of a ":"-separated list to out, skipping
// repeats and empty items.
void parseLocaleList(const char* list, std::vector<plat::String>* out, const char* defLang,
                     const char* defCountry);

// Appends each locale, then its language alone when it names a country, and
// last "en_US" and "en", skipping names already in out.
void getStringLocales(const std::vector<plat::String>& locales, std::vector<plat::String>* out);

// Appends the locales of LANGUAGE; a bare language equal to osName's takes
// osName's country. True when out is then not empty.
bool getGnuStyleLocales(const char* osName, std::vector<plat::String>* out);

}  // namespace loc
