#include "lib1/plat/String.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "lib1/plat/StrUtil.h"

using plat::String;

TEST(String, NullSortsFirstStripAndIntersperse) {
  std::set<String> set{String("b"), String(), String(""), String("a"), String()};
  std::vector<String> order(set.begin(), set.end());
  ASSERT_EQ(order.size(), 4u);
  EXPECT_TRUE(order[0].isNull());
  EXPECT_STREQ(order[1].get(), "");
  EXPECT_STREQ(order[3].get(), "b");

  String s(" \t ab c \n"), t("abcdef"), seven("abcdefg"), null;
  s.rstripspace();
  s.lstripspace();
  EXPECT_STREQ(s.get(), "ab c");
  t.intersperse(' ', 2);
  EXPECT_STREQ(t.get(), "ab cd ef");
  seven.intersperse(',', 3);
  seven.intersperse(',', 0);
  EXPECT_STREQ(seven.get(), "abc,def,g");
  seven.intersperse('|', -4);  // positions divisible by -4 are those divisible by 4
  EXPECT_STREQ(seven.get(), "abc,|def,|g");
  null.lstripspace();
  EXPECT_TRUE(null.toUpper().isNull());
  null.intersperse(' ', 1);
  EXPECT_STREQ(null.get(), "");
  EXPECT_STREQ(String("MiXeD").toLower().get(), "mixed");
  String& alias = t;
  t = alias;
  EXPECT_STREQ(t.get(), "ab cd ef");
}

TEST(String, AdoptTakesOverAReturnedText) {
  EXPECT_STREQ(String::adopt(plat::strDup("given")).get(), "given");  // freed once (ASan)
  EXPECT_TRUE(String::adopt(nullptr).isNull());
}
