#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "lib1/loc/Localize.h"
#include "lib1/loc/PluralRule.h"
#include "lib1/loc/TransMap.h"
#include "tests/support/CaptureLogger.h"

using loc::msgid_t;

namespace {

// A translation map of its own over the given locales, current for its life.
struct Map {
  explicit Map(std::vector<plat::String> locales) {
    loc::Localize::inst()->setTransMapLocales(locales, &map);
  }
  std::string plural(const char* key, int n, int min, int max) {
    const loc::Translation* t = map.getPlural(msgid_t(key), n, min, max);
    return t ? t->text() : "(none)";
  }
  loc::TransMap map;
};

}  // namespace

TEST(PluralRule, FormOfACountPerLanguage) {
  // The forms of -1, 0, 1 and 2.
  const std::string english = "zeromany zeromany sing zeromany ",
                    french = "many zerosing zerosing many ",
                    one = "singplural singplural singplural singplural ";
  const std::pair<const char*, std::string> rows[] = {
      {"fr_FR", french}, {"pt-BR.UTF-8", french}, {"pt_PT", english}, {"FR", english}, {"zh", one}};
  for (const auto& [locale, forms] : rows) {
    const loc::PluralRule* rule = loc::getRuleForLocale(locale);
    std::string got;
    for (int n = -1; n <= 2; n++) got += std::string(rule->form(n)) + " ";
    EXPECT_EQ(got, forms) << locale;
  }
}

TEST(Plural, LanguageWithoutEveryFormFallsThroughToTheNext) {
  for (const char* key : {"pt_x_zerosing", "pt_x_many", "pt_y_many"})
    loc::Localize::inst()->addBuiltInString("fr", key, key);
  for (const char* key : {"pt_x_sing", "pt_x_zeromany", "pt_y_sing", "pt_y_zeromany"})
    loc::Localize::inst()->addBuiltInString("en", key, key);
  Map m({"fr_FR", "en_US"});
  const std::tuple<const char*, int, int, const char*> rows[] = {{"pt_x", 1, 0, "pt_x_zerosing"},
                                                                 {"pt_x", 5, 0, "pt_x_many"},
                                                                 {"pt_y", 1, 0, "pt_y_sing"},
                                                                 {"pt_y", 5, 2, "pt_y_many"},
                                                                 {"pt_none", 5, 0, "(none)"}};
  for (auto [key, n, min, want] : rows) EXPECT_EQ(m.plural(key, n, min, 10), want) << key << n;
}

TEST(Plural, MissingFormsYieldTheKeyAndAnError) {
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route(&loc::localizeLog(), &log, 0);
  Map english({"en_US"});
  EXPECT_STREQ(loc::localizePlural(msgid_t("loc_period_day"), 1, 1, 30, "f.cpp", 3),
               "loc_period_day");
  EXPECT_TRUE(log.has("Missing plural translation for \"loc_period_day\" (f.cpp:3)"));
}
