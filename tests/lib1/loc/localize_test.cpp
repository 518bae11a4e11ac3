#include "lib1/loc/Localize.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AddLocStrings_loc.h"
#include "lib1/plat/Configuration.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"

using loc::msgid_t;

namespace {

loc::Localize* reg() { return loc::Localize::inst(); }

std::string text(const char* key, bool raw = false) {
  return loc::localize(msgid_t(key), nullptr, 0, raw);
}

// Each test sets `Locale` at priority 50, so the environment plays no part.
class Registry : public ::testing::Test {
 protected:
  void SetUp() override { reg()->init({}); }
  void TearDown() override { loc::localeParam.unsetParam(50, false); }
  static void use(const char* locales) { loc::localeParam.setParam(locales, 50); }

  gwtest::CaptureLogger log;
  gwtest::RouteWriter route{&loc::localizeLog(), &log, 0};
};

}  // namespace

TEST_F(Registry, FirstListedLanguageWithTheKeyWins) {
  reg()->addBuiltInString("de", "lt_pref", "Deutsch");
  reg()->addBuiltInString("en", "lt_pref", "English");
  reg()->addBuiltInString("en", "lt_pref_en_only", "only English");
  use("de_DE");
  EXPECT_EQ(text("lt_pref") + "/" + text("lt_pref_en_only"), "Deutsch/only English");
  use("it");
  EXPECT_EQ(text("lt_pref"), "English");
}

TEST_F(Registry, MissingKeyYieldsTheKeyAndLogsEveryLookUp) {
  use("en_US");
  EXPECT_STREQ(loc::localize(msgid_t("lt_missing"), "caller.cpp", 12, false), "lt_missing");
  EXPECT_EQ(text("lt_missing"), "lt_missing");
  EXPECT_TRUE(log.has("Missing translation for \"lt_missing\" (caller.cpp:12)"));
  EXPECT_TRUE(log.has("Missing translation for \"lt_missing\""));
}

TEST_F(Registry, FormattedTextTurnsDoublePercentIntoOne) {
  reg()->addBuiltInString("en", "lt_pct_fmt", "100%%");
  use("en_US");
  EXPECT_EQ(text("lt_pct_fmt") + text("lt_pct_fmt"), "100%100%");  // not twice
}

TEST_F(Registry, FileTextThatIsNotUtf8IsLoggedAndRepaired) {
  reg()->addString("en", "lt_badfile", "a\xff\x62", "x.po");
  use("en_US");
  EXPECT_EQ(text("lt_badfile"), "a\xef\xbf\xbd\x62");
  EXPECT_TRUE(log.has("Bad UTF-8 in lt_badfile from x.po for 'en' locale"));
}

TEST_F(Registry, LocaleOnTheCommandLineTranslatesTheBadArgumentMessage) {
  auto badArgs = [](std::vector<const char*> args) {
    args.push_back(nullptr);
    return gwtest::failureOf(
        [&] { plat::Configuration::global()->processParamArgs(args.data(), nullptr); });
  };
  EXPECT_EQ(badArgs({"Locale=de", "stray"}), "Falsches Argument 'stray'.");
  use("fr");
  EXPECT_EQ(badArgs({"oops"}), "Argument incorrect : 'oops'.");
}

TEST_F(Registry, MessageTableRegistersOnlyOnce) {
  reg()->addString("en", "loc_time_tomorrow", "the day after", "test");
  AddLocStrings_loc again;  // would put the built-in text back
  use("en_US");
  EXPECT_EQ(text("loc_time_tomorrow"), "the day after");
  reg()->addBuiltInString("en", "loc_time_tomorrow", "tomorrow");
}

// In a fresh process, before the service is started, the platform's texts
// are the English ones their callers give, never the bare keys.
TEST(LocalizeDeathTest, BeforeTheServiceStartsTheCallersEnglishTextsStand) {
  std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* args[] = {"stray", nullptr};
  auto usage = [](plat::Configuration::UsageType, plat::Configuration*) {};
  auto parse = [&] { plat::Configuration::global()->processParamArgs(args, usage); };
  auto report = [&] {
    fputs(gwtest::failureOf(parse).c_str(), stderr);
    _exit(0);
  };
  EXPECT_EXIT(report(), testing::ExitedWithCode(0),
              "^Bad argument 'stray'\\.  Run with -help for usage\\.$");
  GTEST_FLAG_SET(death_test_style, style);
}

using RegistryDeathTest = Registry;

TEST_F(RegistryDeathTest, RawAfterFormattedEndsTheProcess) {
  reg()->addBuiltInString("en", "lt_mixed", "x");
  use("en_US");
  EXPECT_DEATH(text("lt_mixed") + text("lt_mixed", true),
               "Can't use same string as both raw and formatted - lt_mixed");
}

TEST_F(RegistryDeathTest, BuiltInTextThatIsNotUtf8EndsTheProcess) {
  EXPECT_DEATH(reg()->addBuiltInString("en", "lt_bad", "\xc3("), "Bad UTF-8 in lt_bad");
}
