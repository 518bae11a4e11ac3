#include "lib1/plat/StrUtil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <type_traits>

#include "tests/support/Failure.h"
#include "tests/support/Text.h"

using namespace gwtest;

namespace {

// "<ok>,<value>,<rest>" of the pointer forms, "<ok>,<value>" of the whole-string ones.
template <typename T>
std::string parse(const char* s, bool whole = false) {
  T v = 99;
  const char* p = s;
  bool ok;
  if constexpr (std::is_same_v<T, int>)
    ok = whole ? plat::strToInt(&v, s, 10) : plat::strToInt(&v, &p, 10);
  else
    ok = whole ? plat::strToUint(&v, s, 10) : plat::strToUint(&v, &p, 10);
  return std::to_string(ok) + "," + std::to_string(v) + (whole ? "" : "," + std::string(p));
}

}  // namespace

TEST(StrUtil, StrCpyCutsToTheRoomAndReturnsTheSourceLength) {
  char buf[4] = "k";
  EXPECT_EQ(plat::strCpy(buf + 1, "zz", 0), 2);  // no room at all: nothing written
  EXPECT_EQ(buf[0], 'k');
  EXPECT_EQ(plat::strCpy(buf, "abcdef", sizeof buf), 6);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(plat::strCpy(buf, "zz", 1), 2);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(own(plat::strDup("abcdef", 2)), "ab");
}

TEST(StrUtil, IntegerParsingTakesWholeValuesInRange) {
  // The whole-string form keeps the value it parsed; a minus after the number is no sign.
  const std::pair<std::string, std::string> cases[] = {
      {parse<int>(" 42x"), "1,42,x"},
      {parse<int>("42x", true), "0,42"},
      {parse<int>("2147483648"), "0,0,2147483648"},
      {parse<int>("-2147483648", true), "1,-2147483648"},
      {parse<unsigned>("-1", true), "0,0"},
      {parse<unsigned>("4294967295", true), "1,4294967295"},
      {parse<unsigned>("4294967296", true), "0,0"},
      {parse<unsigned>("8-"), "1,8,-"}};
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
  int v;
  const char* null = nullptr;
  EXPECT_FALSE(plat::strToInt(&v, &null, 10));
}

TEST(StrUtil, IntegerParsingKeepsTheCallersErrno) {
  errno = 1234;
  EXPECT_EQ(parse<int>("99999999999999999999", true), "0,0");
  EXPECT_EQ(parse<unsigned>("99999999999999999999", true), "0,0");
  EXPECT_EQ(errno, 1234);
}

TEST(StrUtil, ThrowingIntegerParseSaysWhy) {
  const char* p = "no";
  EXPECT_EQ(failureOf([&] { plat::strToInt(&p, 10); }), "Failed to parse integer");
}
