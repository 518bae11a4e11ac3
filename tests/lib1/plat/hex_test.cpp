#include "lib1/plat/Hex.h"

#include <gtest/gtest.h>

#include "tests/support/Failure.h"

using namespace gwtest;

TEST(Hex, IntToHexThrowsOutsideOneDigit) {
  for (int bad : {-1, 16})  // thrown, not fatal
    EXPECT_EQ(failureOf([&] { plat::intToHex(bad); }).substr(0, 29),
              "Assertion 'i >= 0 && i <= 15'");
}

// The binary parameter's tests cover the codec on good input.
TEST(Hex, HexStrToBinRejectsOddLengthAndBadDigitsLeavingNothing) {
  plat::MBuf<unsigned char> out(true);
  for (const char* bad : {"abc", "zz", "0z", "z0", "00zz"}) {
    EXPECT_FALSE(plat::hexStrToBin(bad, &out)) << bad;
    EXPECT_TRUE(out.data == nullptr && out.length == 0 && out.secure) << bad;
  }
}
