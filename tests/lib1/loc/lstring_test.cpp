#include "lib1/loc/LString.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/Localize.h"
#include "tests/support/CaptureLogger.h"

using loc::LString;
using loc::PrintfArg;
using loc::PrintfArgList;

namespace {

struct Case {
  const char* format;
  std::string want;
  bool bad;
};

// Expands format with the list and checks the text and whether one error
// was logged.
void check(const Case& c, const PrintfArgList& args) {
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route(&loc::localizeLog(), &log, 0);
  LString s;
  s.xprintf(c.format, args);
  EXPECT_EQ(std::string(s.get()), c.want) << c.format;
  EXPECT_EQ(log.lines.size(), c.bad ? 1u : 0u) << c.format;
  if (c.bad && !log.lines.empty()) {
    EXPECT_EQ(log.lines[0].text, std::string("Bad loc string for args - ") + c.format);
  }
}

}  // namespace

TEST(XPrintf, StringArgumentsByPositionAndAlone) {
  PrintfArg second("12:00");
  PrintfArg first("Mon", &second);
  for (const Case& c :
       {Case{"%1$S, %2$S", "Mon, 12:00", false}, Case{"%2$S %1$S", "12:00 Mon", false},
        Case{"%S", "%%S", true}, Case{"%3$S", "%%3$S", true}, Case{"%0$S", "%%0$S", true},
        Case{"plain text", "plain text", false}, Case{"50%%", "50%", false},
        Case{"end %", "end %%", true}, Case{"%Q", "%%Q", true}, Case{"%s", "%%s", true}})
    check(c, PrintfArgList{&first});
}

TEST(XPrintf, OneArgumentOfEachKind) {
  PrintfArg five(5), minus(-3), zero(0), big(4294967295u), ff(255u), str("abcdef");
  PrintfArg none(static_cast<const char*>(nullptr)), bad("a\xff"
                                                         "b");
  PrintfArg threeBytes(
      "\xe2\x82\xac"
      "x");
  struct Row {
    Case c;
    const PrintfArg* arg;
  };
  for (const Row& r : {
           Row{{"%D GiB", "5 GiB", false}, &five},
           Row{{"%D GiB", "4294967295 GiB", false}, &big},
           Row{{"%+D", "+5", false}, &five},
           Row{{"%+D", "-3", false}, &minus},
           Row{{"%+D", "+0", false}, &zero},
           Row{{"%+D", "%%+D", true}, &big},
           Row{{"%X", "ff", false}, &ff},
           Row{{"%X", "%%X", true}, &five},
           Row{{"%D", "%%D", true}, &str},
           Row{{"%S", "%%S", true}, &five},
           Row{{"%.3S", "abc", false}, &str},
           Row{{"%1$.30S", "abcdef", false}, &str},
           Row{{"%.2S", "", false}, &threeBytes},
           Row{{"%.0S", "%%.0S", true}, &str},
           Row{{"[%S]", "[]", false}, &none},
           Row{{"%S",
                "a\xff"
                "b",
                false},
               &bad},
           Row{{"%.5S",
                "a\xef\xbf\xbd"
                "b",
                false},
               &bad},
           Row{{"%.3D", "%%.3D", true}, &five},
           Row{{"%+S", "%%+S", true}, &str},
       })
    check(r.c, PrintfArgList{r.arg});
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
