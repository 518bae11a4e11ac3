#include "lib1/loc/LocaleNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Text.h"

static std::string parsed(const char* list, const char* defLang = nullptr,
                          const char* defCountry = nullptr) {
  std::vector<plat::String> out;
  loc::parseLocaleList(list, &out, defLang, defCountry);
  return gwtest::joined(out);
}

TEST(LocaleNames, ListGetsCanonicalNamesWithoutRepeats) {
  const std::pair<const char*, const char*> rows[] = {
      {"de-AT", "de_AT"}, {"fr_CA.UTF-8@euro", "fr_CA"},
      {"xx", "xx"},       {"de:de_DE", "de_DE"},
      {"::it:", "it_IT"}, {"de_", "de"},
      {"pt@x", "pt_BR"},  {"af:zh", "af_ZA,zh_CN"},
      {"_DE", ""}};
  for (auto [list, want] : rows) EXPECT_EQ(parsed(list), want) << list;
  EXPECT_EQ(parsed("de:fr:de_CH", "de", "AT"), "de_AT,fr_FR,de_CH");  // default country
}
