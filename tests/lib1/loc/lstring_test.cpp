#include "lib1/loc/LString.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/Localize.h"
#include "tests/support/CaptureLogger.h"

using loc::LString;
using loc::PrintfArg;
using loc::PrintfArgList;

namespace {

// A format, what it expands to, and whether it is bad (one error logged).
struct Case {
  const char* format;
  std::string want;
  bool bad;
};

void check(const Case& c, const PrintfArgList& args) {
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route(&loc::localizeLog(), &log, 0);
  LString s;
  s.xprintf(c.format, args);
  EXPECT_EQ(std::string(s.get()), c.want) << c.format;
  std::string logged;
  for (const auto& l : log.lines) logged += l.text + "\n";
  EXPECT_EQ(logged, c.bad ? "Bad loc string for args - " + std::string(c.format) + "\n" : "");
}

}  // namespace

TEST(XPrintf, StringArgumentsByPositionAndAlone) {
  PrintfArg second("12:00");
  PrintfArg first("Mon", &second);
  for (const Case& c : {Case{"%1$S, %2$S", "Mon, 12:00", false},
                        {"%2$S %1$S", "12:00 Mon", false},
                        {"%S", "%%S", true},
                        {"%3$S", "%%3$S", true},
                        {"%0$S", "%%0$S", true},
                        {"50%%", "50%", false},
                        {"end %", "end %%", true},
                        {"%Q", "%%Q", true},
                        {"%s", "%%s", true}})
    check(c, PrintfArgList{&first});
}

TEST(XPrintf, OneArgumentOfEachKind) {
  PrintfArg five(5), minus(-3), zero(0), big(4294967295u), ff(255u), str("abcdef");
  PrintfArg none(static_cast<const char*>(nullptr)), bad("a\xff\x62"), euro("\xe2\x82\xac\x78");
  const std::pair<Case, const PrintfArg*> rows[] = {{{"%D GiB", "5 GiB", false}, &five},
                                                    {{"%D GiB", "4294967295 GiB", false}, &big},
                                                    {{"%+D", "+5", false}, &five},
                                                    {{"%+D", "-3", false}, &minus},
                                                    {{"%+D", "+0", false}, &zero},
                                                    {{"%+D", "%%+D", true}, &big},
                                                    {{"%X", "ff", false}, &ff},
                                                    {{"%X", "%%X", true}, &five},
                                                    {{"%D", "%%D", true}, &str},
                                                    {{"%S", "%%S", true}, &five},
                                                    {{"%.3S", "abc", false}, &str},
                                                    {{"%1$.30S", "abcdef", false}, &str},
                                                    {{"%.2S", "", false}, &euro},
                                                    {{"%.0S", "%%.0S", true}, &str},
                                                    {{"[%S]", "[]", false}, &none},
                                                    {{"%S", "a\xff\x62", false}, &bad},
                                                    {{"%.5S", "a\xef\xbf\xbd\x62", false}, &bad},
                                                    {{"%.3D", "%%.3D", true}, &five},
                                                    {{"%+S", "%%+S", true}, &str}};
  for (const auto& [c, arg] : rows) check(c, PrintfArgList{arg});
}

TEST(XPrintf, PlaceholderWithoutArgumentsIsMarked) {
  check({"%S and %D", "%%S and %%D", true}, PrintfArgList{});
  check({"100%%", "100%", false}, PrintfArgList{});
}

TEST(XPrintf, VariadicFormBuildsTheListInOrder) {
  LString s;
  EXPECT_STREQ(s.xprintf("%2$S=%1$D (%3$X)", -7, "n", 10u).get(), "n=-7 (a)");
  EXPECT_STREQ(s.xprintf("%S", "one").get(), "one");
  EXPECT_STREQ(s.xprintf("%%").get(), "%");
}

TEST(XPrintfDeathTest, BadFormatAbortsWhenAskedTo) {
  EXPECT_DEATH(
      {
        loc::abortOnError = true;
        LString s;
        s.xprintf("%Q", PrintfArgList{});
      },
      "Bad loc string for args - %Q\nAborting");
}
