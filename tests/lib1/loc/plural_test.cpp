#include <gtest/gtest.h>

#include <string>
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
  struct Row {
    const char* locale;
    const char* forms[4];  // of -1, 0, 1, 2
  };
  for (const Row& r : {
           Row{"en_US", {"zeromany", "zeromany", "sing", "zeromany"}},
           Row{"C", {"zeromany", "zeromany", "sing", "zeromany"}},
           Row{"fr_FR", {"many", "zerosing", "zerosing", "many"}},
           Row{"pt_BR", {"many", "zerosing", "zerosing", "many"}},
           Row{"pt-BR.UTF-8", {"many", "zerosing", "zerosing", "many"}},
           Row{"pt_PT", {"zeromany", "zeromany", "sing", "zeromany"}},
           Row{"FR", {"zeromany", "zeromany", "sing", "zeromany"}},
           Row{"ja_JP", {"singplural", "singplural", "singplural", "singplural"}},
           Row{"zh", {"singplural", "singplural", "singplural", "singplural"}},
       }) {
    const loc::PluralRule* rule = loc::getRuleForLocale(r.locale);
    for (int n = -1; n <= 2; n++) EXPECT_STREQ(rule->form(n), r.forms[n + 1]) << r.locale << n;
  }
}

TEST(Plural, LanguageWithoutEveryFormFallsThroughToTheNext) {
  auto* reg = loc::Localize::inst();
  for (const char* key : {"pt_x_zerosing", "pt_x_many", "pt_y_many"})
    reg->addBuiltInString("fr", key, key);
  for (const char* key : {"pt_x_sing", "pt_x_zeromany", "pt_y_sing", "pt_y_zeromany"})
    reg->addBuiltInString("en", key, key);
  Map m({"fr_FR", "en_US"});
  EXPECT_EQ(m.plural("pt_x", 1, 0, 10), "pt_x_zerosing");
  EXPECT_EQ(m.plural("pt_x", 5, 0, 10), "pt_x_many");
  EXPECT_EQ(m.plural("pt_y", 1, 0, 10), "pt_y_sing");
  EXPECT_EQ(m.plural("pt_y", 5, 2, 10), "pt_y_many");
  EXPECT_EQ(m.plural("pt_none", 5, 0, 10), "(none)");
}

TEST(Plural, BuiltInUnitsChooseTheFormOfTheLanguage) {
  struct Row {
    const char* locale;
    const char* key;
    int n, min, max;
    const char* want;
  };
  for (const Row& r : {
           Row{"fr_FR", "loc_bytesize_unit", 1, 0, 100, "%D octet"},
           Row{"fr_FR", "loc_bytesize_unit", 0, 0, 100, "%D octet"},
           Row{"fr_FR", "loc_bytesize_unit", 2, 0, 100, "%D octets"},
           Row{"en_US", "loc_bytesize_unit", 0, 0, 100, "%D bytes"},
           Row{"de_DE", "loc_period_second", 1, 0, 60, "%D Sekunde"},
           Row{"es_ES", "loc_period_day", 3, 2, 30, "%D días"},
           Row{"en_US", "loc_period_day", 3, 2, 30, "%D days"},
           // No singular row: a range with 1 (or, in French, 0 or 1) has no
           // complete set of forms anywhere.
           Row{"en_US", "loc_period_day", 3, 1, 30, "(none)"},
           Row{"fr_FR", "loc_period_day", 3, 0, 30, "(none)"},
       }) {
    Map m({r.locale});
    EXPECT_EQ(m.plural(r.key, r.n, r.min, r.max), r.want) << r.locale << " " << r.key << r.n;
  }
}

TEST(Plural, MissingFormsYieldTheKeyAndAnError) {
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route(&loc::localizeLog(), &log, 0);
  loc::TransMap scoped;
  loc::Localize::inst()->setTransMapLocales({"en_US"}, &scoped);
  EXPECT_STREQ(loc::localizePlural(msgid_t("loc_period_day"), 1, 1, 30, "f.cpp", 3),
               "loc_period_day");
  EXPECT_TRUE(log.has("Missing plural translation for \"loc_period_day\" (f.cpp:3)"));
  EXPECT_STREQ(loc::localizePlural(msgid_t("loc_period_hour"), 5, 2, 30), "%D hours");
}
