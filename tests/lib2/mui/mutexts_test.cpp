#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "AddLocStrings_mui.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Utf8.h"

namespace {

TEST(MuTexts, EachLanguageHoldsEveryKeyInKeyOrderWithTheEnglishPlaceholder) {
  ASSERT_EQ(AddLocStrings_mui_rowCount, 164);
  const std::string order = "de es fr en";
  std::map<std::string, std::set<std::string>> keys;
  std::map<std::string, std::map<std::string, std::string>> texts;
  for (int i = 0; i < AddLocStrings_mui_rowCount; i++) {
    auto [lang, key, text] = AddLocStrings_mui_rows[i];
    keys[lang].insert(key);
    texts[key][lang] = text;
    EXPECT_TRUE(plat::isValidUtf8(text)) << key;
    EXPECT_EQ(std::string(key).rfind("mui_", 0), 0u) << key;
    if (i == 0) continue;
    const char* prev = AddLocStrings_mui_rows[i - 1][0];
    EXPECT_TRUE(strcmp(lang, prev) ? order.find(prev) < order.find(lang)
                                   : strcmp(AddLocStrings_mui_rows[i - 1][1], key) < 0)
        << lang << " " << key;
  }
  for (const char* lang : {"de", "es", "fr"}) EXPECT_EQ(keys[lang], keys["en"]) << lang;
  EXPECT_EQ(keys["en"].size(), 41u);
  for (auto& [key, byLang] : texts)
    for (auto& [lang, text] : byLang)
      EXPECT_EQ(text.find("%S") != std::string::npos, byLang["en"].find("%S") != std::string::npos)
          << lang << " " << key;
  // The two policy notes say the same in every language.
  EXPECT_EQ(texts["mui_parameditor_help_policy"], texts["mui_parameditor_help_policy_overridden"]);
}

TEST(MuTexts, ThePolicyNoteReadsAsWrittenInEachLanguage) {
  struct Row {
    const char* locale;
    const char* expected;
  } rows[] = {
      {"en_US", "Some settings on this page are controlled by your system administrator."},
      {"de_DE",
       "Einige Einstellungen auf dieser Seite werden von Ihrem Systemadministrator "
       "gesteuert."},
      {"fr_FR",
       "Certains des paramètres de cette page sont contrôlés par votre administrateur "
       "système."},
      {"es_ES",
       "Algunos parámetros de esta página están bajo el control del administrador del "
       "sistema."},
  };
  for (const Row& r : rows) {
    loc::LocaleSetter only(r.locale);
    EXPECT_STREQ(loc::localize(loc::msgid_t("mui_configdialog_help_policy")), r.expected)
        << r.locale;
  }
}

}  // namespace
