#include "lib1/plat/StrUtil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "lib1/plat/Exception.h"
#include "lib1/plat/String.h"

using plat::String;

namespace {

// "<ok>,<value>,<rest>" of the pointer forms, "<ok>,<value>" of the
// whole-string forms.
template <typename T>
std::string parse(const char* s, int base, bool whole = false) {
  T v = 99;
  const char* p = s;
  bool ok;
  if constexpr (std::is_same_v<T, int>)
    ok = whole ? plat::strToInt(&v, s, base) : plat::strToInt(&v, &p, base);
  else
    ok = whole ? plat::strToUint(&v, s, base) : plat::strToUint(&v, &p, base);
  return std::to_string(ok) + "," + std::to_string(v) + (whole ? "" : "," + std::string(p));
}

}  // namespace

TEST(StrUtil, CopiesAffixesAndHash) {
  char buf[4];
  EXPECT_EQ(plat::strCpy(buf, "abcdef", sizeof buf), 6);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(plat::strCpy(buf, "zz", 1), 2);
  EXPECT_STREQ(buf, "");
  buf[0] = 'k';
  EXPECT_EQ(plat::strCpy(buf + 1, "zz", 0), 2);  // no room at all: nothing written
  EXPECT_EQ(buf[0], 'k');
  EXPECT_STREQ(std::unique_ptr<char[]>(plat::strDup("abcdef", 2)).get(), "ab");
  EXPECT_TRUE(plat::strBegins(nullptr, ""));
  EXPECT_FALSE(plat::strBegins(nullptr, "a"));
  EXPECT_FALSE(plat::strBegins("ab", "abc"));
  EXPECT_FALSE(plat::strEnds("c", "bc"));
  EXPECT_FALSE(plat::strEnds(nullptr, "x"));
  std::vector<String> uniq;
  for (const char* u : {"a", "a", (const char*)nullptr, (const char*)nullptr})
    plat::appendUniq(&uniq, u);
  EXPECT_EQ(uniq.size(), 2u);

  EXPECT_EQ(plat::strHash(""), 0xcbf29ce484222325ull);
  EXPECT_EQ(plat::strHash(nullptr), 0xcbf29ce484222325ull);
  EXPECT_EQ(plat::strHash("foobar"), 0x85944171f73967e8ull);
  // Bytes are taken unsigned: a high byte must not sign-extend.
  EXPECT_EQ(plat::strHash("\xff"), (0xcbf29ce484222325ull ^ 0xffull) * 0x100000001b3ull);
}

TEST(StrUtil, IntegerParsing) {
  EXPECT_EQ(parse<int>(" 42x", 10), "1,42,x");
  EXPECT_EQ(parse<int>("42x", 10, true), "0,42");  // keeps the value it parsed
  EXPECT_EQ(parse<int>("2147483648", 10), "0,0,2147483648");
  EXPECT_EQ(parse<int>("-2147483648", 10, true), "1,-2147483648");
  EXPECT_EQ(parse<int>("abc", 10), "0,0,abc");
  EXPECT_EQ(parse<unsigned>("-1", 10, true), "0,0");
  EXPECT_EQ(parse<unsigned>(" -0", 10, true), "0,0");
  EXPECT_EQ(parse<unsigned>("4294967295", 10, true), "1,4294967295");
  EXPECT_EQ(parse<unsigned>("4294967296", 10, true), "0,0");
  EXPECT_EQ(parse<unsigned>("12 ", 10, true), "0,0");
  EXPECT_EQ(parse<unsigned>("8-", 10), "1,8,-");  // a minus after the number is no sign

  int v;
  const char* null = nullptr;
  EXPECT_FALSE(plat::strToInt(&v, &null, 10));
  errno = 1234;  // the caller's errno survives a range error
  EXPECT_EQ(parse<int>("99999999999999999999", 10, true), "0,0");
  EXPECT_EQ(parse<unsigned>("99999999999999999999", 10, true), "0,0");
  EXPECT_EQ(errno, 1234);
  const char* p = "no";
  try {
    plat::strToInt(&p, 10);
    ADD_FAILURE() << "no BadInt";
  } catch (const plat::Exception& e) {
    EXPECT_STREQ(e.str(), "Failed to parse integer");
  }
}
