#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "lib1/loc/Localize.h"
#include "lib1/loc/PluralRule.h"
#include "lib1/loc/TransMap.h"
#include "tests/support/CaptureLogger.h"

using loc::msgid_t;

// The text of key's form for n (at least min) in a translation map of its own.
static std::string plural(std::vector<plat::String> locales, const char* key, int n, int min) {
  loc::TransMap map;
  loc::Localize::inst()->setTransMapLocales(locales, &map);
  const loc::Translation* t = map.getPlural(msgid_t(key), n, min, 10);
  return t ? t->text() : "(none)";
}

// The forms of -1, 0, 1 and 2.
TEST(PluralRule, FormOfACountPerLanguage) {
  const char *en = "zeromany zeromany sing zeromany ", *fr = "many zerosing zerosing many ",
             *one = "singplural singplural singplural singplural ";
  const std::pair<const char*, const char*> rows[] = {
      {"fr_FR", fr}, {"pt-BR.UTF-8", fr}, {"pt_PT", en}, {"FR", en}, {"zh", one}};
  for (auto [locale, forms] : rows) {
    std::string got;
    for (int n = -1; n <= 2; n++) got += loc::getRuleForLocale(locale)->form(n) + std::string(" ");
    EXPECT_EQ(got, forms) << locale;
  }
}

TEST(Plural, LanguageWithoutEveryFormFallsThroughToTheNext) {
  for (const char* key : {"pt_x_zerosing", "pt_x_many", "pt_y_many"})
    loc::Localize::inst()->addBuiltInString("fr", key, key);
  for (const char* key : {"pt_x_sing", "pt_x_zeromany", "pt_y_sing", "pt_y_zeromany"})
    loc::Localize::inst()->addBuiltInString("en", key, key);
  const std::tuple<const char*, int, int, const char*> rows[] = {
      {"pt_x", 1, 0, "pt_x_zerosing"}, {"pt_x", 5, 0, "pt_x_many"}, {"pt_y", 1, 0, "pt_y_sing"},
      {"pt_y", 5, 2, "pt_y_many"},     {"pt_none", 5, 0, "(none)"},
  };
  for (auto [key, n, min, want] : rows)
    EXPECT_EQ(plural({"fr_FR", "en_US"}, key, n, min), want) << key << n;
}

TEST(Plural, MissingFormsYieldTheKeyAndAnError) {
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route(&loc::localizeLog(), &log, 0);
  loc::TransMap english;
  loc::Localize::inst()->setTransMapLocales({"en_US"}, &english);
  EXPECT_STREQ(loc::localizePlural(msgid_t("loc_period_day"), 1, 1, 30, "f.cpp", 3),
               "loc_period_day");
  EXPECT_TRUE(log.has("Missing plural translation for \"loc_period_day\" (f.cpp:3)"));
}
