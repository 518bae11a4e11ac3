#include "lib1/loc/LibcLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/Text.h"

// These tests need the locales of Debian's locales-all package.

TEST(LibcLocale, EncodingTypeOfNamesLeavesTheCLibraryAlone) {
  // Name, encoding, language, modifier.
  const std::tuple<const char*, int, const char*, const char*> rows[] = {
      {"de_DE.ISO-8859-15@euro", loc::ENC_LATIN1, "de_DE", "euro"},
      {"C", loc::ENC_ASCII, "C", nullptr},
      {"ja_JP.EUC-JP", loc::ENC_OTHER, "ja_JP", nullptr},
      // Not installed: no codeset, and the modifier is only what follows "@".
      {"xx_YY.FOO@bar", loc::ENC_OTHER, "xx_YY", "bar"}};
  std::string before = setlocale(LC_ALL, nullptr);
  for (auto [name, type, lang, modifier] : rows) {
    plat::String gotLang, gotModifier;
    EXPECT_EQ(loc::getEncType(name, &gotLang, &gotModifier), type) << name;
    EXPECT_STREQ(gotLang.get(), lang) << name;
    EXPECT_STREQ(gotModifier.get(), modifier) << name;
  }
  EXPECT_EQ(setlocale(LC_ALL, nullptr), before);
}

// The environment is read once per process, so each case runs in a child.
TEST(LibcLocaleDeathTest, EnvironmentGivesTheLanguageList) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"fr_BE.UTF-8", "fr:nl", "fr_BE,nl_NL"}, {"C", "fr:nl", ""}, {"de_DE@euro", "", "de_DE"}};
  for (auto [lcAll, language, want] : rows) {
    EXPECT_EXIT(
        {
          setenv("LC_ALL", lcAll, 1);
          setenv("LANGUAGE", language, 1);
          loc::LibcLocale out;
          std::vector<plat::String> list;
          loc::getOsLibcLocale(&out, &list);
          exit(gwtest::joined(list) == want ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << lcAll << " " << language;
  }
}
