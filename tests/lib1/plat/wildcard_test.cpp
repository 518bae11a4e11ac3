#include "lib1/plat/Wildcard.h"

#include <gtest/gtest.h>

#include <string>

using plat::Wildcard;

// The fuzz target checks patterns against a plain matcher, never with a null one.
TEST(Wildcard, ANullPatternMatchesTheEmptyTextOnly) {
  EXPECT_TRUE(Wildcard::match(nullptr, "", false, Wildcard::STAR));
  EXPECT_FALSE(Wildcard::match(nullptr, "x", false, Wildcard::STAR));
}

TEST(Wildcard, PathologicalPatternEndsQuickly) {
  // Back-tracking over thirteen stars on this text would not finish in a test's lifetime.
  std::string text(20000, 'a');
  EXPECT_FALSE(Wildcard::match("*a*a*a*a*a*a*a*a*a*a*a*a*b", text.c_str(), true, Wildcard::STAR));
  EXPECT_TRUE(Wildcard::match("*a*a*a*a*a*a*a*a*a*a*a*a*", text.c_str(), false, Wildcard::STAR));
  text += 'b';
  EXPECT_TRUE(Wildcard::match("*A*A*A*A*A*A*A*A*A*A*A*A*B", text.c_str(), false, Wildcard::STAR));
}
