#include "lib1/loc/LocaleSetter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>

#include "lib1/loc/Localize.h"
#include "lib1/loc/TransMap.h"

using loc::LocaleSetter;

namespace {

std::string lcAll() { return setlocale(LC_ALL, nullptr); }

std::string text() { return loc::localize(loc::msgid_t("ls_word"), nullptr, 0, true); }

// Ends an outer T while an inner one, built from the same arguments, lives on.
template <typename T, typename... Args>
void endOuterFirst(Args... args) {
  auto outer = std::make_unique<T>(args...);
  T inner(args...);
  outer.reset();
}

}  // namespace

TEST(LocaleSetter, ScopedLanguageForLookUpsAndTheCLibrary) {
  loc::Localize::inst()->addBuiltInString("de", "ls_word", "Wort");
  loc::Localize::inst()->addBuiltInString("fr", "ls_word", "mot");
  loc::TransMap* before = loc::TransMap::getThreadInst();
  std::string libcBefore = lcAll();
  {
    LocaleSetter de("de");
    {
      LocaleSetter fr("fr_FR");
      LocaleSetter inner(nullptr);  // keeps the language around it
      EXPECT_EQ(text() + " " + lcAll(), "mot fr_FR.UTF-8");
      EXPECT_STREQ(LocaleSetter::getThreadLocales().get(), "fr_FR");
    }
    EXPECT_EQ(text() + " " + lcAll(), "Wort de_DE.UTF-8");
  }
  EXPECT_EQ(loc::TransMap::getThreadInst(), before);
  EXPECT_EQ(lcAll(), libcBefore);
}

TEST(LocaleSetter, FirstSupportedLocaleOfAListOrC) {
  loc::LibcLocale out;
  LocaleSetter::getLibcLocale({"xx_YY", "es_ES"}, &out);
  EXPECT_STREQ(out.name.get(), "es_ES.UTF-8");
  LocaleSetter::getLibcLocale({"xx_YY"}, &out);
  EXPECT_STREQ(out.name.get(), "C.UTF-8");
}

TEST(LocaleSetterDeathTest, EndingOutOfOrderEndsTheProcess) {
  EXPECT_DEATH(endOuterFirst<LocaleSetter>("de"), "thrInst == this");
  EXPECT_DEATH(endOuterFirst<loc::TransMap>(), "thrInst == this");
}
