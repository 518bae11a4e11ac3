#include "lib1/plat/String.h"

#include <gtest/gtest.h>

using plat::String;

TEST(String, IntersperseSeparatesEveryNthByte) {
  String s("abcdefg");
  s.intersperse(',', 3);
  s.intersperse(',', 0);  // no step: nothing
  EXPECT_STREQ(s.get(), "abc,def,g");
  s.intersperse('|', -4);  // positions divisible by -4 are those divisible by 4
  EXPECT_STREQ(s.get(), "abc,|def,|g");
}

TEST(String, SelfAssignmentKeepsTheText) {
  String t("abc");
  String& alias = t;
  t = alias;
  EXPECT_STREQ(t.get(), "abc");
}
