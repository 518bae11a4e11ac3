#include "lib1/plat/Ellipsis.h"

#include <gtest/gtest.h>

#include <string>

TEST(Ellipsis, CutsCharacters) {
  auto get = [](const char* t, int n) { return std::string(plat::EllipsiseStr(t).get(n).get()); };
  const std::string dots = "\xE2\x80\xA6";
  EXPECT_EQ(get("abcdef", 0), "abcdef");
  EXPECT_EQ(get("abcdef", 2), "abcd" + dots);
  EXPECT_EQ(get("abcdef", 100), dots);
  EXPECT_EQ(get("a\xC3\xA9\xE2\x82\xAC", 1), "a\xC3\xA9" + dots);
  // Each byte of a broken sequence is one character.
  EXPECT_EQ(get("ab\xE2\x82", 1), "ab\xE2" + dots);
  EXPECT_TRUE(plat::EllipsiseStr(nullptr).get(0).isNull());
}
