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
#include "AddLocStrings_svr.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Utf8.h"

static AddLocStrings_ft addLocStrings;

static std::vector<std::string> placeholders(const std::string& text) {
  static const std::regex placeholder("%(%|[0-9$.+]*.)");
  std::sregex_token_iterator from(text.begin(), text.end(), placeholder), end;
  std::vector<std::string> found(from, end);
  std::erase(found, "%%");
  std::sort(found.begin(), found.end());
  return found;
}

// The texts of key (plural form n, or the plain text for n < 0) in French.
static std::string french(const char* key, int n = -1) {
  loc::LocaleSetter only("fr_FR");
  return n < 0 ? loc::localize(loc::msgid_t(key)) : loc::localizePlural(loc::msgid_t(key), n, 0, 9);
}

TEST(MessageTables, RowsComeInLanguageBlocksInKeyOrderWithTheEnglishPlaceholders) {
  struct Table {
    const char* name;
    const char* const (*rows)[3];
    int rowCount, expectedKeys, expectedRows;
  } tables[] = {{"print", AddLocStrings_print_rows, AddLocStrings_print_rowCount, 31, 124},
                {"chat", AddLocStrings_chat_rows, AddLocStrings_chat_rowCount, 31, 124},
                {"ft", AddLocStrings_ft_rows, AddLocStrings_ft_rowCount, 48, 184},
                {"score", AddLocStrings_score_rows, AddLocStrings_score_rowCount, 13, 52},
                {"svr", AddLocStrings_svr_rows, AddLocStrings_svr_rowCount, 97, 387},
                {"fb", AddLocStrings_fb_rows, AddLocStrings_fb_rowCount, 16, 64}};
  const std::string order = "de es fr en";
  for (const Table& t : tables) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(t.rowCount, t.expectedRows);
    std::map<std::string, std::string> english;
    std::set<std::string> keys;
    for (int i = 0; i < t.rowCount; i++) {
      auto [lang, key, text] = t.rows[i];
      keys.insert(key);
      if (!strcmp(lang, "en")) english[key] = text;
      EXPECT_TRUE(plat::isValidUtf8(text)) << key;
      if (i == 0) continue;
      const char* prev = t.rows[i - 1][0];  // a new language block, or the next key
      EXPECT_TRUE(strcmp(lang, prev) ? order.find(prev) < order.find(lang)
                                     : strcmp(t.rows[i - 1][1], key) < 0)
          << lang << " " << key << " out of order";
    }
    EXPECT_EQ(int(keys.size()), t.expectedKeys);
    for (int i = 0; i < t.rowCount; i++) {
      std::string key = t.rows[i][1];
      if (key.starts_with("ft_shareproxy_num_files")) key = "ft_shareproxy_num_files_zeromany";
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
