#include "lib1/loc/LocaleNames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string joined(const std::vector<plat::String>& v) {
  std::string out;
  for (const auto& s : v) out += (out.empty() ? "" : ",") + std::string(s.get());
  return out;
}

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
  struct Row {
    const char* list;
    const char* want;
  };
  for (const Row& r :
       {Row{"de", "de_DE"}, Row{"de-AT", "de_AT"}, Row{"fr_CA.UTF-8@euro", "fr_CA"}, Row{"C", "C"},
        Row{"xx", "xx"}, Row{"de:de_DE", "de_DE"}, Row{"sv:de", "sv_SE,de_DE"},
        Row{"::it:", "it_IT"}, Row{"de_", "de"}, Row{"pt@x", "pt_BR"}, Row{"af:zh", "af_ZA,zh_CN"},
        Row{"_DE", ""}, Row{"", ""}})
    EXPECT_EQ(parsed(r.list), r.want) << r.list;
}

TEST(LocaleNames, DefaultCountryOnlyForTheDefaultLanguage) {
  EXPECT_EQ(parsed("de:fr:de_CH", "de", "AT"), "de_AT,fr_FR,de_CH");
}

TEST(LocaleNames, StringLocalesAddLanguageThenEnglish) {
  EXPECT_EQ(stringLocales("de"), "de_DE,de,en_US,en");
  EXPECT_EQ(stringLocales("en_US"), "en_US,en");
  EXPECT_EQ(stringLocales("en_GB"), "en_GB,en,en_US");
  EXPECT_EQ(stringLocales("it"), "it_IT,it,en_US,en");
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
