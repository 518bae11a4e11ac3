#include "lib1/loc/LocaleSetter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "lib1/loc/LString.h"
#include "lib1/loc/Localize.h"
#include "lib1/loc/TransMap.h"

using loc::LocaleSetter;
using loc::msgid_t;

namespace {

std::string lcAll() { return setlocale(LC_ALL, nullptr); }

std::string text(const char* key) { return loc::localize(msgid_t(key), nullptr, 0, true); }

// Ends an outer T while an inner one, built from the same arguments, lives on.
template <typename T, typename... Args>
void endOuterFirst(Args... args) {
  auto* outer = new T(args...);
  T inner(args...);
  delete outer;
}

}  // namespace

TEST(LocaleSetter, ScopedLanguageForLookUpsAndTheCLibrary) {
  auto* reg = loc::Localize::inst();
  reg->addBuiltInString("de", "ls_word", "Wort");
  reg->addBuiltInString("fr", "ls_word", "mot");
  reg->addBuiltInString("en", "ls_word", "word");
  loc::TransMap* before = loc::TransMap::getThreadInst();
  std::string libcBefore = lcAll();
  {
    LocaleSetter de("de");
    EXPECT_EQ(text("ls_word"), "Wort");
    EXPECT_EQ(lcAll(), "de_DE.UTF-8");
    EXPECT_STREQ(LocaleSetter::getThreadLocales().get(), "de");
    {
      LocaleSetter fr("fr_FR");
      EXPECT_EQ(text("ls_word"), "mot");
      EXPECT_EQ(lcAll(), "fr_FR.UTF-8");
      // Without a list of its own a setter keeps the language around it.
      LocaleSetter inner(nullptr);
      EXPECT_STREQ(LocaleSetter::getThreadLibcLocale()->name.get(), "fr_FR.UTF-8");
      EXPECT_STREQ(LocaleSetter::getThreadLocales().get(), "fr_FR");
    }
    EXPECT_EQ(text("ls_word"), "Wort");
    EXPECT_EQ(lcAll(), "de_DE.UTF-8");
  }
  EXPECT_EQ(loc::TransMap::getThreadInst(), before);
  EXPECT_EQ(lcAll(), libcBefore);
  EXPECT_STREQ(LocaleSetter::getThreadLibcLocale()->name.get(), "C");
}

TEST(LocaleSetter, WordWrapRunsUnderTheUiLocaleAndRestoresIt) {
  std::string before = lcAll();
  loc::LString s;
  s.xprintf("%S", "eins zwei drei vier");
  s.wordWrap(9, 2);
  EXPECT_STREQ(s.get(), "eins zwei\n  drei\n  vier");
  EXPECT_EQ(lcAll(), before);
}

TEST(LocaleSetter, FirstSupportedLocaleOfAListOrC) {
  loc::LibcLocale out;
  loc::LocaleSetter::getLibcLocale({"xx_YY", "es_ES"}, &out);
  EXPECT_STREQ(out.name.get(), "es_ES.UTF-8");
  loc::LocaleSetter::getLibcLocale({"xx_YY"}, &out);
  EXPECT_STREQ(out.name.get(), "C.UTF-8");
}

TEST(LocaleSetterDeathTest, EndingOutOfOrderEndsTheProcess) {
  EXPECT_DEATH(endOuterFirst<LocaleSetter>("de"), "thrInst == this");
}

TEST(TransMapDeathTest, EndingOutOfOrderEndsTheProcess) {
  EXPECT_DEATH(endOuterFirst<loc::TransMap>(), "thrInst == this");
}
