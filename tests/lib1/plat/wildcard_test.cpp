#include "lib1/plat/Wildcard.h"

#include <gtest/gtest.h>

#include <string>

using plat::Wildcard;

// Patterns are checked against a plain matcher by the fuzz target, which
// never gives a null pattern.
TEST(Wildcard, ANullPatternMatchesTheEmptyTextOnly) {
  EXPECT_TRUE(Wildcard::match(nullptr, "", false, Wildcard::STAR));
  EXPECT_FALSE(Wildcard::match(nullptr, "x", false, Wildcard::STAR));
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
