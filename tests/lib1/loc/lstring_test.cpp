#include "lib1/loc/LString.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "lib1/loc/Localize.h"
#include "tests/support/CaptureLogger.h"

using loc::LString;
using loc::PrintfArg;
using loc::PrintfArgList;

// Expands format with the list; a bad format comes out with its percent signs
// doubled and logs one error.
static void check(const char* format, const PrintfArgList& args, const std::string& want) {
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route(&loc::localizeLog(), &log, 0);
  EXPECT_EQ(std::string(LString().xprintf(format, args).get()), want) << format;
  bool bad = want.find("%%") != std::string::npos;
  EXPECT_EQ(log.lines.size(), size_t(bad)) << format;
  EXPECT_EQ(log.has("Bad loc string for args - " + std::string(format)), bad);
}

TEST(XPrintf, ExpandsPlaceholdersAndMarksBadOnes) {
  PrintfArg five(5), minus(-3), zero(0), big(4294967295u), ff(255u), str("abcdef");
  PrintfArg none(static_cast<const char*>(nullptr)), bad("a\xff\x62"), euro("\xe2\x82\xac\x78");
  PrintfArg two("Mon", &str);  // "%S" alone takes a list of one
  const std::tuple<const char*, const PrintfArg*, const char*> rows[] = {
      {"%D", &big, "4294967295"}, {"%+D", &minus, "-3"},      {"%+D", &zero, "+0"},
      {"%+D", &big, "%%+D"},      {"%X", &ff, "ff"},          {"%X", &five, "%%X"},
      {"%D", &str, "%%D"},        {"%.3S", &str, "abc"},      {"%1$.30S", &str, "abcdef"},
      {"%.2S", &euro, ""},        {"%.0S", &str, "%%.0S"},    {"[%S]", &none, "[]"},
      {"%S", &bad, "a\xff\x62"},  {"%.5S", &bad, "a\uFFFDb"}, {"%+S", &str, "%%+S"},
      {"%S", &two, "%%S"},        {"%2$S", &str, "%%2$S"},    {"%0$S", &str, "%%0$S"},
      {"50%%", &str, "50%"},      {"end %", &str, "end %%"},  {"%Q", &str, "%%Q"},
      {"%s", &str, "%%s"}};
  for (auto [format, arg, want] : rows) check(format, PrintfArgList{arg}, want);
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
