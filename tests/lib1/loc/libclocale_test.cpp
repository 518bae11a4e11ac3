#include "lib1/loc/LibcLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/Text.h"

// These tests need the locales of Debian's locales-all package
// (de_DE.UTF-8, de_DE ISO-8859-1, fr_BE.UTF-8, ...).

namespace {

std::string lcAll() { return setlocale(LC_ALL, nullptr); }

}  // namespace

TEST(LibcLocale, EncodingTypeOfNames) {
  // Name, encoding, language, modifier; the C library's locale is left alone.
  const std::tuple<const char*, int, const char*, const char*> rows[] = {
      {"de_DE.UTF-8", loc::ENC_UTF8, "de_DE", nullptr},
      {"de_DE", loc::ENC_LATIN1, "de_DE", nullptr},
      {"de_DE.ISO-8859-15@euro", loc::ENC_LATIN1, "de_DE", "euro"},
      {"C", loc::ENC_ASCII, "C", nullptr},
      {"ja_JP.EUC-JP", loc::ENC_OTHER, "ja_JP", nullptr},
      // Not installed: no codeset, and the modifier is only what follows "@".
      {"xx_YY.FOO@bar", loc::ENC_OTHER, "xx_YY", "bar"}};
  std::string before = lcAll();
  for (auto [name, type, lang, modifier] : rows) {
    plat::String gotLang, gotModifier;
    EXPECT_EQ(loc::getEncType(name, &gotLang, &gotModifier), type) << name;
    EXPECT_STREQ(gotLang.get(), lang) << name;
    EXPECT_STREQ(gotModifier.get(), modifier) << name;
    EXPECT_EQ(lcAll(), before) << name;
  }
}

TEST(LibcLocale, FindPrefersAUtf8Variant) {
  const std::pair<const char*, const char*> rows[] = {
      {"C", "C.UTF-8"},
      {"de_DE", "de_DE.UTF-8"},
      {"fr_FR.UTF-8", "fr_FR.UTF-8"},
      {"ja_JP.EUC-JP", "ja_JP.UTF-8"},
      // Not installed with this codeset: the UTF-8 variant of its language
      // is found all the same.
      {"de_DE.NOSUCHCODESET", "de_DE.UTF-8"}};
  std::string before = lcAll();
  for (auto [name, want] : rows) {
    loc::LibcLocale out;
    EXPECT_TRUE(loc::findLibcLocale(name, &out)) << name;
    EXPECT_STREQ(out.name.get(), want) << name;
    EXPECT_EQ(out.encType, loc::ENC_UTF8) << name;
    EXPECT_EQ(lcAll(), before) << name;
  }
  loc::LibcLocale out;
  EXPECT_FALSE(loc::findLibcLocale("xx_YY", &out));
}

// The environment is read once per process, so each case runs in a child.
TEST(LibcLocaleDeathTest, EnvironmentGivesTheLanguageList) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"fr_BE.UTF-8", nullptr, "fr_BE"},
      {"fr_BE.UTF-8", "fr:nl", "fr_BE,nl_NL"},
      {"C", "fr:nl", ""},
      {"de_DE@euro", nullptr, "de_DE"}};
  for (auto [lcAllValue, language, want] : rows) {
    EXPECT_EXIT(
        {
          setenv("LC_ALL", lcAllValue, 1);
          if (language)
            setenv("LANGUAGE", language, 1);
          else
            unsetenv("LANGUAGE");
          loc::LibcLocale out;
          std::vector<plat::String> list;
          loc::getOsLibcLocale(&out, &list);
          exit(gwtest::joined(list) == want ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << lcAllValue << " " << (language ? language : "");
  }
}
