#include <gtest/gtest.h>

#include <vector>

#include "libs/fb/AuthMethods.h"
#include "libs/fb/SecTypes.h"

TEST(SecTypes, ListsAppendWhatTheyNameAndSkipTheRest) {
  std::pair<const char*, fb::SecNums> cases[] = {
      {"RA2ne_128,Ard,bogus,RA2:x", {6, 30}},
      {"RA2:128+", {13, 133, 5, 129}},
      {"ra2:256,sSOr", {133, 129, 14, 134}},
      {"RA2:128x+,RA2:128-", {13, 133, 5, 129, 13, 5}},  // "+" only at the end opens upwards
      {",RA2ne,,RA2ne,", {6, 130, 6, 130}},              // empty items skipped, duplicates kept
      {"RA2:+128,RA2: 256", {13, 5, 133, 129}},  // a sign and leading blanks belong to the number
      {"RA2:-1+", {13, 133, 5, 129}},
      {"RA2:,RA2:+,RA2:0x80,RA2:99999999999+,Nope:0+,:128", {}},
  };
  for (const auto& [text, expected] : cases) {
    fb::SecNums out;
    fb::secTypesParse(text, &out);
    EXPECT_EQ(out, expected) << text;
  }
}

TEST(SecTypes, EncryptionBitsLeaveOutTypesThatEncryptOnlyTheLogin) {
  std::vector<int> bits;
  for (int n : {6, 14, 133, 130, 2}) bits.push_back(fb::secTypeEncryptBits(n));
  EXPECT_EQ(bits, (std::vector<int>{0, 128, 256, 0, 0}));
}

TEST(SecTypes, NumbersGetTheirFirstNameOrABracketedOne) {
  EXPECT_STREQ(fb::authMethodName(4), "GssApi");
  EXPECT_STREQ(fb::secTypeName(-7), "[unknown secType -7]");
  EXPECT_STREQ(fb::authMethodName(9), "[unknown authMethod 9]");
}
