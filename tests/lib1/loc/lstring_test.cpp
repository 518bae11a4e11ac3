#include "lib1/loc/LString.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "lib1/loc/Localize.h"
#include "tests/support/CaptureLogger.h"

using loc::LString;
using loc::PrintfArg;
using loc::PrintfArgList;

namespace {

// Expands format with the list; a bad format comes out with its percent signs
// doubled and logs one error.
void check(const char* format, const PrintfArgList& args, const std::string& want) {
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route(&loc::localizeLog(), &log, 0);
  LString s;
  s.xprintf(format, args);
  EXPECT_EQ(std::string(s.get()), want) << format;
  bool bad = want.find("%%") != std::string::npos;
  std::string logged;
  for (const auto& l : log.lines) logged += l.text + "\n";
  EXPECT_EQ(logged, bad ? "Bad loc string for args - " + std::string(format) + "\n" : "");
}

}  // namespace

TEST(XPrintf, StringArgumentsByPositionAndAlone) {
  PrintfArg second("12:00");
  PrintfArg first("Mon", &second);
  const std::pair<const char*, const char*> rows[] = {{"%1$S, %2$S", "Mon, 12:00"},
                                                      {"%2$S %1$S", "12:00 Mon"},
                                                      {"%S", "%%S"},
                                                      {"%3$S", "%%3$S"},
                                                      {"%0$S", "%%0$S"},
                                                      {"50%%", "50%"},
                                                      {"end %", "end %%"},
                                                      {"%Q", "%%Q"},
                                                      {"%s", "%%s"}};
  for (auto [format, want] : rows) check(format, PrintfArgList{&first}, want);
}

TEST(XPrintf, OneArgumentOfEachKind) {
  PrintfArg five(5), minus(-3), zero(0), big(4294967295u), ff(255u), str("abcdef");
  PrintfArg none(static_cast<const char*>(nullptr)), bad("a\xff\x62"), euro("\xe2\x82\xac\x78");
  const std::tuple<const char*, const PrintfArg*, const char*> rows[] = {
      {"%D GiB", &five, "5 GiB"}, {"%D GiB", &big, "4294967295 GiB"},
      {"%+D", &five, "+5"},       {"%+D", &minus, "-3"},
      {"%+D", &zero, "+0"},       {"%+D", &big, "%%+D"},
      {"%X", &ff, "ff"},          {"%X", &five, "%%X"},
      {"%D", &str, "%%D"},        {"%S", &five, "%%S"},
      {"%.3S", &str, "abc"},      {"%1$.30S", &str, "abcdef"},
      {"%.2S", &euro, ""},        {"%.0S", &str, "%%.0S"},
      {"[%S]", &none, "[]"},      {"%S", &bad, "a\xff\x62"},
      {"%.5S", &bad, "a\uFFFDb"}, {"%.3D", &five, "%%.3D"},
      {"%+S", &str, "%%+S"}};
  for (auto [format, arg, want] : rows) check(format, PrintfArgList{arg}, want);
}

TEST(XPrintf, PlaceholderWithoutArgumentsIsMarked) {
  check("%S and %D", PrintfArgList{}, "%%S and %%D");
  check("100%%", PrintfArgList{}, "100%");
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
