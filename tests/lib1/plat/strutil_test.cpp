#include "lib1/plat/StrUtil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "lib1/plat/String.h"
#include "tests/support/Failure.h"
#include "tests/support/Text.h"

using namespace gwtest;

namespace {

// "<ok>,<value>,<rest>" of the pointer forms, "<ok>,<value>" of the
// whole-string forms.
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

TEST(StrUtil, AffixTestsTreatNullAsNoText) {
  EXPECT_TRUE(plat::strBegins(nullptr, ""));
  EXPECT_FALSE(plat::strBegins(nullptr, "a") || plat::strBegins("ab", "abc"));
  EXPECT_FALSE(plat::strEnds("c", "bc") || plat::strEnds(nullptr, "x"));
}

TEST(StrUtil, AppendUniqKeepsOneOfEachNullIncluded) {
  std::vector<plat::String> uniq;
  for (const char* u : {"a", "a", (const char*)nullptr, (const char*)nullptr})
    plat::appendUniq(&uniq, u);
  EXPECT_EQ(uniq.size(), 2u);
}

TEST(StrUtil, StrHashIsFnv1aOverUnsignedBytes) {
  EXPECT_EQ(plat::strHash(""), 0xcbf29ce484222325ull);
  EXPECT_EQ(plat::strHash(nullptr), 0xcbf29ce484222325ull);
  EXPECT_EQ(plat::strHash("foobar"), 0x85944171f73967e8ull);
  // A high byte must not sign-extend.
  EXPECT_EQ(plat::strHash("\xff"), (0xcbf29ce484222325ull ^ 0xffull) * 0x100000001b3ull);
}

TEST(StrUtil, IntegerParsingTakesWholeValuesInRange) {
  // The whole-string form keeps the value it parsed; a minus after the
  // number is no sign.
  const std::pair<std::string, std::string> cases[] = {
      {parse<int>(" 42x"), "1,42,x"},
      {parse<int>("42x", true), "0,42"},
      {parse<int>("2147483648"), "0,0,2147483648"},
      {parse<int>("-2147483648", true), "1,-2147483648"},
      {parse<int>("abc"), "0,0,abc"},
      {parse<unsigned>("-1", true), "0,0"},
      {parse<unsigned>(" -0", true), "0,0"},
      {parse<unsigned>("4294967295", true), "1,4294967295"},
      {parse<unsigned>("4294967296", true), "0,0"},
      {parse<unsigned>("12 ", true), "0,0"},
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

TEST(StrUtil, DivrndNNRoundsHalfUpAndGivesZeroForZero) {
  for (auto [a, b, q] : {std::tuple{7, 2, 4}, {5, 3, 2}, {5, 0, 0}})
    EXPECT_EQ(plat::divrndNN(a, b), q);
}
