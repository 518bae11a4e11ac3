#include "lib1/loc/LocaleNames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/Text.h"

using gwtest::joined;

namespace {

std::string parsed(const char* list, const char* defLang = nullptr,
                   const char* defCountry = nullptr) {
  std::vector<plat::String> out;
  loc::parseLocaleList(list, &out, defLang, defCountry);
  return joined(out);
}

std::string stringLocales(const char* list) {
  std::vector<plat::String> locales, out;
  loc::parseLocaleList(list, &locales, nullptr, nullptr);
  locales.emplace_back("en_US");
  loc::getStringLocales(locales, &out);
  return joined(out);
}

}  // namespace

TEST(LocaleNames, ListGetsCanonicalNamesWithoutRepeats) {
  const std::pair<const char*, const char*> rows[] = {
      {"de", "de_DE"}, {"de-AT", "de_AT"},    {"fr_CA.UTF-8@euro", "fr_CA"}, {"C", "C"},
      {"xx", "xx"},    {"de:de_DE", "de_DE"}, {"sv:de", "sv_SE,de_DE"},      {"::it:", "it_IT"},
      {"de_", "de"},   {"pt@x", "pt_BR"},     {"af:zh", "af_ZA,zh_CN"},      {"_DE", ""},
      {"", ""}};
  for (auto [list, want] : rows) EXPECT_EQ(parsed(list), want) << list;
}

TEST(LocaleNames, DefaultCountryOnlyForTheDefaultLanguage) {
  EXPECT_EQ(parsed("de:fr:de_CH", "de", "AT"), "de_AT,fr_FR,de_CH");
}

TEST(LocaleNames, StringLocalesAddLanguageThenEnglish) {
  EXPECT_EQ(stringLocales("de"), "de_DE,de,en_US,en");
  EXPECT_EQ(stringLocales("en_US"), "en_US,en");
  EXPECT_EQ(stringLocales("en_GB"), "en_GB,en,en_US");
  EXPECT_EQ(stringLocales("xx:de_AT"), "xx,de_AT,de,en_US,en");
}

TEST(LocaleNames, GnuLanguageListTakesTheEnvironmentsCountry) {
  std::vector<plat::String> out;
  setenv("LANGUAGE", "de:fr:nl", 1);
  EXPECT_TRUE(loc::getGnuStyleLocales("de_AT.UTF-8", &out));
  EXPECT_EQ(joined(out), "de_AT,fr_FR,nl_NL");
  out.clear();
  setenv("LANGUAGE", "", 1);
  EXPECT_FALSE(loc::getGnuStyleLocales("fr_BE", &out));
  unsetenv("LANGUAGE");
  EXPECT_FALSE(loc::getGnuStyleLocales("fr_BE", &out));
}
