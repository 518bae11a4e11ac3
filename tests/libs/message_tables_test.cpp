#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "AddLocStrings_chat.h"
#include "AddLocStrings_fb.h"
#include "AddLocStrings_ft.h"
#include "AddLocStrings_print.h"
#include "AddLocStrings_score.h"
#include "AddLocStrings_smisc.h"
#include "AddLocStrings_sui.h"
#include "AddLocStrings_svr.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Utf8.h"

static AddLocStrings_ft addLocStrings;
static AddLocStrings_sui addLocStringsSui;
static AddLocStrings_smisc addLocStringsSmisc;

static std::vector<std::string> placeholders(const std::string& text) {
  static const std::regex placeholder("%(%|[0-9$.+]*.)");
  std::sregex_token_iterator from(text.begin(), text.end(), placeholder), end;
  std::vector<std::string> found(from, end);
  std::erase(found, "%%");
  std::sort(found.begin(), found.end());
  return found;
}

// The text of key (plural form n, or the plain text for n < 0) in a language.
static std::string text(const char* locale, const char* key, int n = -1) {
  loc::LocaleSetter only(locale);
  return n < 0 ? loc::localize(loc::msgid_t(key)) : loc::localizePlural(loc::msgid_t(key), n, 0, 9);
}

static std::string french(const char* key, int n = -1) { return text("fr_FR", key, n); }

TEST(MessageTables, RowsComeInLanguageBlocksInKeyOrderWithTheEnglishPlaceholders) {
  struct Table {
    const char* name;
    const char* const (*rows)[3];
    int rowCount, expectedRows;
    int distinctKeys;
    int keys;  // in each language; 0 where a key lacks a language
  } tables[] = {{"print", AddLocStrings_print_rows, AddLocStrings_print_rowCount, 124, 31, 31},
                {"chat", AddLocStrings_chat_rows, AddLocStrings_chat_rowCount, 124, 31, 31},
                {"ft", AddLocStrings_ft_rows, AddLocStrings_ft_rowCount, 184, 48, 46},
                {"score", AddLocStrings_score_rows, AddLocStrings_score_rowCount, 52, 13, 13},
                {"svr", AddLocStrings_svr_rows, AddLocStrings_svr_rowCount, 387, 97, 0},
                {"fb", AddLocStrings_fb_rows, AddLocStrings_fb_rowCount, 64, 16, 16},
                {"sui", AddLocStrings_sui_rows, AddLocStrings_sui_rowCount, 724, 0, 181},
                {"smisc", AddLocStrings_smisc_rows, AddLocStrings_smisc_rowCount, 700, 0, 175}};
  const std::string order = "de es fr en";
  for (const Table& t : tables) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(t.rowCount, t.expectedRows);
    std::map<std::string, std::string> english;
    std::map<std::string, int> keys;
    std::set<std::string> distinct;
    for (int i = 0; i < t.rowCount; i++) {
      auto [lang, key, text] = t.rows[i];
      keys[lang]++;
      distinct.insert(key);
      if (!strcmp(lang, "en")) english[key] = text;
      EXPECT_TRUE(plat::isValidUtf8(text)) << key;
      if (i == 0) continue;
      const char* prev = t.rows[i - 1][0];  // a new language block, or the next key
      EXPECT_TRUE(strcmp(lang, prev) ? order.find(prev) < order.find(lang)
                                     : strcmp(t.rows[i - 1][1], key) < 0)
          << lang << " " << key << " out of order";
    }
    if (t.distinctKeys) {
      EXPECT_EQ(int(distinct.size()), t.distinctKeys);
    }
    const std::map<std::string, int> each = {
        {"de", t.keys}, {"en", t.keys}, {"es", t.keys}, {"fr", t.keys}};
    if (t.keys) {
      EXPECT_EQ(keys, each);
    }
    for (int i = 0; i < t.rowCount; i++) {
      std::string key = t.rows[i][1];
      // French plural forms stand beside the English "_zeromany".
      for (std::string form : {"_zerosing", "_many"})
        if (!english.count(key) && key.ends_with(form))
          key = key.substr(0, key.size() - form.size()) + "_zeromany";
      if (key == "svr_param_sdesktopx11_damagerecoverydelay") continue;  // has no English
      ASSERT_TRUE(english.count(key)) << key;
      EXPECT_EQ(placeholders(t.rows[i][2]), placeholders(english[key])) << t.rows[i][1];
    }
  }
}

TEST(MessageTables, FrenchFileCountTakesTheSingularForZeroAndOne) {
  const char* key = "ft_shareproxy_num_files";
  EXPECT_EQ(french(key, 0) + "|" + french(key, 1) + "|" + french(key, 2),
            "%D fichier|%D fichier|%D fichiers");
}

TEST(MessageTables, FrenchViewPermissionShowsTheDesktop) {
  EXPECT_EQ(french("svr_permissions_view_desc"), "Afficher le bureau");
}

TEST(MessageTables, ServerTablesGiveTheEditorsTextsInEachLanguage) {
  struct Row {
    const char* name;
    const char* locale;
    const char* key;
    int n;
    const char* expected;
  } rows[] = {
      {"custom level", "en_US", "sui_optionspermissions_custom", -1, "Custom permissions"},
      {"English one", "en_US", "sui_statusdialog_error", 1, "There is 1 problem"},
      {"English five", "en_US", "sui_statusdialog_error", 5, "There are %D problems"},
      {"French one", "fr_FR", "sui_statusdialog_error", 1, "Il y a %D problème"},
      {"French five", "fr_FR", "sui_statusdialog_error", 5, "Il y a %D problèmes"},
      {"German add dialog", "de_DE", "smisc_permissionssystemauth_dialog_title", -1,
       "Benutzer oder Gruppe hinzufügen"},
      {"missing key", "de_DE", "smisc_no_such_key", -1, "smisc_no_such_key"},
  };
  for (const Row& r : rows) EXPECT_EQ(text(r.locale, r.key, r.n), r.expected) << r.name;
}
