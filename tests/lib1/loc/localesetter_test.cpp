#include "lib1/loc/LocaleSetter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "lib1/loc/Localize.h"
#include "lib1/loc/TransMap.h"

using loc::LocaleSetter;

static std::string lcAll() { return setlocale(LC_ALL, nullptr); }

static std::string text() { return loc::localize(loc::msgid_t("ls_word"), nullptr, 0, true); }

// Ends an outer T while an inner one, built from the same arguments, lives on.
template <typename T, typename... Args>
static void endOuterFirst(Args... args) {
  auto outer = std::make_unique<T>(args...);
  T inner(args...);
  outer.reset();
}

TEST(LocaleSetter, ScopedLanguageForLookUpsAndTheCLibrary) {
  loc::Localize::inst()->addBuiltInString("de", "ls_word", "Wort");
  loc::Localize::inst()->addBuiltInString("fr", "ls_word", "mot");
  loc::TransMap* mapBefore = loc::TransMap::getThreadInst();
  std::string before = lcAll();
  {
    LocaleSetter de("de");
    {
      LocaleSetter fr("fr_FR");
      LocaleSetter inner(nullptr);  // keeps the language around it
      EXPECT_EQ(text() + " " + lcAll(), "mot fr_FR.UTF-8");
    }
    EXPECT_EQ(text() + " " + lcAll(), "Wort de_DE.UTF-8");
  }
  EXPECT_EQ(loc::TransMap::getThreadInst(), mapBefore);
  EXPECT_EQ(lcAll(), before);
}

// The UTF-8 variant is preferred, even of a codeset that is not installed.
TEST(LocaleSetter, FirstSupportedLocaleOfAListOrC) {
  const std::pair<std::vector<plat::String>, const char*> rows[] = {
      {{"xx_YY", "es_ES"}, "es_ES.UTF-8"},
      {{"de_DE.NOSUCHCODESET"}, "de_DE.UTF-8"},
      {{"xx_YY"}, "C.UTF-8"},
  };
  for (const auto& [locales, want] : rows) {
    loc::LibcLocale out;
    LocaleSetter::getLibcLocale(locales, &out);
    EXPECT_STREQ(out.name.get(), want);
  }
}

TEST(LocaleSetterDeathTest, EndingOutOfOrderEndsTheProcess) {
  EXPECT_DEATH(endOuterFirst<LocaleSetter>("de"), "thrInst == this");
  EXPECT_DEATH(endOuterFirst<loc::TransMap>(), "thrInst == this");
}
