#include "lib1/plat/Hex.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/Failure.h"
#include "tests/support/Text.h"

using namespace gwtest;

namespace {

TEST(Hex, ReadHexAndShiftAccumulatesDigitsOfEitherCase) {
  int acc = 1;
  EXPECT_TRUE(plat::readHexAndShift('F', &acc) && plat::readHexAndShift('a', &acc));
  EXPECT_FALSE(plat::readHexAndShift('g', &acc));
  EXPECT_EQ(acc, 31 * 16 + 10);
}

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

std::string dump(const char* prefix, const unsigned char* data, int len) {
  return stderrOf([&] { plat::hexDump(prefix, "L:", data, len); });
}

TEST(Hex, DumpShowsSixteenBytesALineWithTheirText) {
  unsigned char data[20];
  for (int i = 0; i < 20; i++) data[i] = static_cast<unsigned char>('A' + i);
  data[1] = 0x7f;
  data[17] = '\n';
  EXPECT_EQ(dump("P:", data, 20),
            "P:41 7f 43 44  45 46 47 48  49 4a 4b 4c  4d 4e 4f 50  A.CDEFGHIJKLMNOP\n"
            "L:51 0a 53 54  " +
                std::string(12 * 3 + 3, ' ') + "Q.ST\n");
  EXPECT_EQ(dump("P", data, 0), "P");
  EXPECT_EQ(dump("", data, 16).find("L:"), std::string::npos);
}

}  // namespace
