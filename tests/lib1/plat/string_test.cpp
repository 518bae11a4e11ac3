#include "lib1/plat/String.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "lib1/plat/StrUtil.h"

using plat::String;

TEST(String, NullSortsBeforeTheEmptyText) {
  std::set<String> set{String("b"), String(), String(""), String("a"), String()};
  std::vector<String> order(set.begin(), set.end());
  ASSERT_EQ(order.size(), 4u);
  EXPECT_TRUE(order[0].isNull());
  EXPECT_STREQ(order[1].get(), "");
  EXPECT_STREQ(order[3].get(), "b");
}

TEST(String, StripRemovesBlanksOfEveryKindAtEitherEnd) {
  String s(" \t ab c \n");
  s.rstripspace();
  s.lstripspace();
  EXPECT_STREQ(s.get(), "ab c");
}

TEST(String, IntersperseSeparatesEveryNthByte) {
  String s("abcdefg");
  s.intersperse(',', 3);
  s.intersperse(',', 0);  // no step: nothing
  EXPECT_STREQ(s.get(), "abc,def,g");
  s.intersperse('|', -4);  // positions divisible by -4 are those divisible by 4
  EXPECT_STREQ(s.get(), "abc,|def,|g");
}

TEST(String, NullStaysNullExceptThatIntersperseGivesText) {
  String null;
  null.lstripspace();
  null.rstripspace();
  EXPECT_TRUE(null.toUpper().isNull());
  null.intersperse(' ', 1);
  EXPECT_STREQ(null.get(), "");
}

TEST(String, SelfAssignmentKeepsTheText) {
  String t("abc");
  String& alias = t;
  t = alias;
  EXPECT_STREQ(t.get(), "abc");
}

TEST(String, AdoptTakesOverAReturnedText) {
  EXPECT_STREQ(String::adopt(plat::strDup("given")).get(), "given");  // freed once (ASan)
  EXPECT_TRUE(String::adopt(nullptr).isNull());
}
