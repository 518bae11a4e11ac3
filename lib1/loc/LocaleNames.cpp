#include "lib1/loc/LocaleNames.h"

#include <cstdlib>
#include <cstring>

#include "lib1/plat/DString.h"

namespace loc {

namespace {

struct CanonCountry {
  const char* lang;
  const char* country;
};

// Sorted by language for a binary search.
constexpr CanonCountry canonCountries[] = {
    {"af", "ZA"}, {"be", "BY"}, {"bg", "BG"}, {"ca", "ES"}, {"cs", "CZ"}, {"da", "DK"},
    {"de", "DE"}, {"dz", "BT"}, {"el", "GR"}, {"en", "US"}, {"es", "ES"}, {"et", "EE"},
    {"fa", "IR"}, {"fi", "FI"}, {"fo", "FO"}, {"fr", "FR"}, {"ga", "IE"}, {"gu", "IN"},
    {"he", "IL"}, {"hi", "IN"}, {"hr", "HR"}, {"hu", "HU"}, {"hy", "AM"}, {"is", "IS"},
    {"it", "IT"}, {"iu", "CA"}, {"ja", "JP"}, {"ka", "GE"}, {"ko", "KR"}, {"lt", "LT"},
    {"lv", "LV"}, {"mk", "MK"}, {"mr", "IN"}, {"mt", "MT"}, {"nb", "NO"}, {"ne", "NP"},
    {"nl", "NL"}, {"nn", "NO"}, {"pl", "PL"}, {"pt", "BR"}, {"ro", "RO"}, {"ru", "RU"},
    {"sk", "SK"}, {"sl", "SI"}, {"sr", "RS"}, {"sv", "SE"}, {"th", "TH"}, {"to", "TO"},
    {"tr", "TR"}, {"uk", "UA"}, {"ur", "PK"}, {"uz", "UZ"}, {"vi", "VN"}, {"zh", "CN"},
};

}  // namespace

LocaleParts::LocaleParts(const char* name) {
  if (!name) return;
  size_t langLen = strcspn(name, "_-.@");
  lang = plat::String(name, int(langLen));
  if (name[langLen] == '_' || name[langLen] == '-') {
    const char* c = name + langLen + 1;
    country = plat::String(c, int(strcspn(c, ".@")));
  }
}

LangCountry::LangCountry(const char* lang, const char* country, const char* defLang,
                         const char* defCountry, const char* sep) {
  if (!lang || !*lang) return;
  if (!country) {
    if (defCountry && defLang && strcmp(lang, defLang) == 0)
      country = defCountry;
    else
      country = langToCanonCountry(lang);
  }
  if (!country || !*country) {
    name_ = lang;
    return;
  }
  plat::DPrintf joined("%s%s%s", lang, sep, country);
  name_ = joined.get();
}

const char* langToCanonCountry(const char* lang) {
  if (!lang) return nullptr;
  size_t lo = 0, hi = sizeof canonCountries / sizeof canonCountries[0];
  while (lo < hi) {
    size_t mid = (lo + hi) / 2;
    int c = strcmp(lang, canonCountries[mid].lang);
    if (c == 0) return canonCountries[mid].country;
    if (c < 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return nullptr;
}

void parseLocaleList(const char* list, std::vector<plat::String>* out, const char* defLang,
                     const char* defCountry) {
  if (!list) return;
  const char* p = list;
  for (;;) {
    size_t len = strcspn(p, ":");
    plat::String item(p, int(len));
    LocaleParts parts(item.get());
    LangCountry name(parts.lang.get(), parts.country.get(), defLang, defCountry, "_");
    if (name.get()) plat::appendUniq(out, name.get());
    if (!p[len]) break;
    p += len + 1;
  }
}

void getStringLocales(const std::vector<plat::String>& locales, std::vector<plat::String>* out) {
  for (const plat::String& locale : locales) {
    plat::appendUniq(out, locale.get());
    LocaleParts parts(locale.get());
    if (!parts.country.isNull()) plat::appendUniq(out, parts.lang.get());
  }
  plat::appendUniq(out, "en_US");
  plat::appendUniq(out, "en");
}

bool getGnuStyleLocales(const char* osName, std::vector<plat::String>* out) {
  const char* language = getenv("LANGUAGE");
  if (!language || !*language) return false;
  LocaleParts os(osName);
  parseLocaleList(language, out, os.lang.get(), os.country.get());
  return !out->empty();
}

}  // namespace loc
