#include "lib1/loc/LibcLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/Text.h"

// These tests need the locales of Debian's locales-all package.

TEST(LibcLocale, NameGivesEncodingLanguageAndModifier) {
  plat::String lang, modifier;
  EXPECT_EQ(loc::getEncType("de_DE.ISO-8859-15@euro", &lang, &modifier), loc::ENC_LATIN1);
  EXPECT_EQ(std::string(lang.get()) + "@" + modifier.get(), "de_DE@euro");
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
