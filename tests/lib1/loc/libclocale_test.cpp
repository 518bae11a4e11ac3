#include "lib1/loc/LibcLocale.h"

#include <gtest/gtest.h>

#include <string>

// These tests need the locales of Debian's locales-all package.

// The modifier is the text after "@" alone.
TEST(LibcLocale, NameGivesEncodingLanguageAndModifier) {
  plat::String lang, modifier;
  EXPECT_EQ(loc::getEncType("de_DE.ISO-8859-15@euro", &lang, &modifier), loc::ENC_LATIN1);
  EXPECT_EQ(std::string(lang.get()) + "@" + modifier.get(), "de_DE@euro");
}
