#include "lib1/loc/LibcLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

// These tests need the locales of Debian's locales-all package
// (de_DE.UTF-8, de_DE ISO-8859-1, fr_BE.UTF-8, ...).

namespace {

std::string lcAll() { return setlocale(LC_ALL, nullptr); }

std::string joined(const std::vector<plat::String>& v) {
  std::string out;
  for (const auto& s : v) out += (out.empty() ? "" : ",") + std::string(s.get());
  return out;
}

}  // namespace

TEST(LibcLocale, EncodingTypeOfNames) {
  struct Row {
    const char* name;
    int type;
    const char* lang;
    const char* modifier;
  };
  for (const Row& r : {
           Row{"de_DE.UTF-8", loc::ENC_UTF8, "de_DE", nullptr},
           Row{"de_DE", loc::ENC_LATIN1, "de_DE", nullptr},
           Row{"de_DE.ISO-8859-15@euro", loc::ENC_LATIN1, "de_DE", "euro"},
           Row{"C", loc::ENC_ASCII, "C", nullptr},
           Row{"ja_JP.EUC-JP", loc::ENC_OTHER, "ja_JP", nullptr},
           // Not installed: no codeset, and the modifier is only what follows "@".
           Row{"xx_YY.FOO@bar", loc::ENC_OTHER, "xx_YY", "bar"},
       }) {
    plat::String lang, modifier;
    std::string before = lcAll();
    EXPECT_EQ(loc::getEncType(r.name, &lang, &modifier), r.type) << r.name;
    EXPECT_STREQ(lang.get(), r.lang) << r.name;
    EXPECT_STREQ(modifier.get(), r.modifier) << r.name;
    EXPECT_EQ(lcAll(), before) << r.name;
  }
}

TEST(LibcLocale, FindPrefersAUtf8Variant) {
  struct Row {
    const char* name;
    const char* want;
    int type;
  };
  for (const Row& r :
       {Row{"C", "C.UTF-8", loc::ENC_UTF8}, Row{"de_DE", "de_DE.UTF-8", loc::ENC_UTF8},
        Row{"fr_FR.UTF-8", "fr_FR.UTF-8", loc::ENC_UTF8},
        Row{"ja_JP.EUC-JP", "ja_JP.UTF-8", loc::ENC_UTF8},
        // Not installed with this codeset: the UTF-8 variant of its
        // language is found all the same.
        Row{"de_DE.NOSUCHCODESET", "de_DE.UTF-8", loc::ENC_UTF8}}) {
    loc::LibcLocale out;
    std::string before = lcAll();
    EXPECT_TRUE(loc::findLibcLocale(r.name, &out)) << r.name;
    EXPECT_STREQ(out.name.get(), r.want) << r.name;
    EXPECT_EQ(out.encType, r.type) << r.name;
    EXPECT_EQ(lcAll(), before) << r.name;
  }
  loc::LibcLocale out;
  EXPECT_FALSE(loc::findLibcLocale("xx_YY", &out));
}

// The environment is read once per process, so each case runs in a child.
TEST(LibcLocaleDeathTest, EnvironmentGivesTheLanguageList) {
  struct Row {
    const char* lcAll;
    const char* language;
    const char* want;
  };
  for (const Row& r :
       {Row{"fr_BE.UTF-8", nullptr, "fr_BE"}, Row{"fr_BE.UTF-8", "fr:nl", "fr_BE,nl_NL"},
        Row{"C", "fr:nl", ""}, Row{"de_DE@euro", nullptr, "de_DE"}}) {
    EXPECT_EXIT(
        {
          setenv("LC_ALL", r.lcAll, 1);
          if (r.language)
            setenv("LANGUAGE", r.language, 1);
          else
            unsetenv("LANGUAGE");
          loc::LibcLocale out;
          std::vector<plat::String> list;
          loc::getOsLibcLocale(&out, &list);
          exit(joined(list) == r.want ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << r.lcAll << " " << (r.language ? r.language : "");
  }
}
