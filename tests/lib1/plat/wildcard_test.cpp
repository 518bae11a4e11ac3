#include "lib1/plat/Wildcard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using plat::Wildcard;

// Random patterns are checked against a plain matcher by the fuzz target;
// these are the cases the log setting relies on.
TEST(Wildcard, MatchesTheCasesTheLogSettingUses) {
  const std::tuple<const char*, const char*, bool, unsigned, bool> cases[] = {
      {"a*b*c", "axxbyyc", true, Wildcard::STAR, true},
      {"CONFIG*", "Configuration", false, Wildcard::STAR, true},
      {"config*", "ConfigParameter", true, Wildcard::STAR, false},
      {nullptr, "", false, Wildcard::STAR, true},
      {"", "x", false, Wildcard::STAR, false},     // an empty pattern matches no log name
      {"a*a", "a", false, Wildcard::STAR, false},  // prefix and suffix may not share
      {"*", "x", true, 0, false},                  // without STAR "*" is only itself
      {"*", "*", true, 0, true}};
  for (auto [pattern, text, caseSensitive, flags, matches] : cases)
    EXPECT_EQ(Wildcard::match(pattern, text, caseSensitive, flags), matches)
        << (pattern ? pattern : "(null)") << " " << text;
}

TEST(Wildcard, PathologicalPatternEndsQuickly) {
  // Back-tracking over thirteen stars on this text would not finish in any
  // test's lifetime; a run that hangs is stopped by the test time-out.
  std::string text(20000, 'a');
  EXPECT_FALSE(Wildcard::match("*a*a*a*a*a*a*a*a*a*a*a*a*b", text.c_str(), true, Wildcard::STAR));
  EXPECT_TRUE(Wildcard::match("*a*a*a*a*a*a*a*a*a*a*a*a*", text.c_str(), false, Wildcard::STAR));
  text += 'b';
  EXPECT_TRUE(Wildcard::match("*A*A*A*A*A*A*A*A*A*A*A*A*B", text.c_str(), false, Wildcard::STAR));
}
