#include "lib1/plat/Time.h"

#include <gtest/gtest.h>

#include "tests/support/Failure.h"
#include "tests/support/SignalStorm.h"

using namespace gwtest;
using namespace plat;

TEST(Time, ConversionsTruncateTowardZeroAndSaturate) {
  EXPECT_EQ(convertUnixTime(timespec{2, 199}), kUnixEpoch + 20000001);
  timeval tv = getUnixTime(kUnixEpoch + 15);
  EXPECT_EQ(tv.tv_sec * 1000000 + tv.tv_usec, 1);
  tv = getUnixTime(kUnixEpoch - 15000010);  // before 1970: both parts negative
  EXPECT_EQ(tv.tv_sec * 1000000 + tv.tv_usec, -1500001);
  EXPECT_LE(tv.tv_usec, 0);
  EXPECT_LT(getUnixTime(-0x7fffffffffffffffLL - 1).tv_sec, 0);  // saturates, no wrap
}

TEST(Time, FormattingTakesLongPatternsAndGivesUpOnAnEmptyExpansion) {
  UtcTm t(convertUtcTime(2000, 3, 1, 13, 4, 5));
  TimeStr s, e;
  std::string pad(300, 'x');
  s.init((pad + "%Y-%m-%dT%H:%M:%S").c_str(), &t);
  EXPECT_EQ(std::string(s.get()), pad + "2000-03-01T13:04:05");
  e.init("", &t);  // an empty expansion never succeeds
  EXPECT_STREQ(e.get(), "<date error>");
  EXPECT_EQ(e.capacity(), 2048);
}

TEST(Time, UtcDatesFollowTheGregorianCalendar) {
  EXPECT_FALSE(validateUtcTime(1900, 2, 29, 0, 0, 0) || validateUtcTime(2001, 4, 31, 0, 0, 0) ||
               validateUtcTime(2001, 1, 1, 0, 0, 60) || validateUtcTime(2001, 1, 1, -1, 0, 0));
  EXPECT_TRUE(validateUtcTime(2000, 2, 29, 0, 0, 0));
}

TEST(Time, BadDatesRaiseInvalidDateWithoutOverflowOrLooping) {
  auto failure = [](int y, int mo, int d, int h, int mi, int s) {
    return failureOf([=] { convertUtcTime(y, mo, d, h, mi, s); });
  };
  EXPECT_EQ(failure(-5, -1, 0, -1, -1, -1), "invalid date (-5--1-0T-1:-1:-1)");
  // The 64-bit range ends near the years -27,600 and 30,800.
  EXPECT_EQ(failure(30000, 12, 31, 23, 59, 59) + failure(-27000, 1, 1, 0, 0, 0), "(none)(none)");
  EXPECT_EQ(failure(-2147483647 - 1, 1, 1, 0, 0, 0), "invalid date (-2147483648-1-1T0:0:0)");
  EXPECT_EQ(failure(2147483647, 12, 31, 0, 0, 0), "invalid date (2147483647-12-31T0:0:0)");
}

TEST(Time, DelayLastsAtLeastItsTimeHoweverOftenSignalsCome) {
  delayMs(0);
  delayMs(-5);
  long long start = getMonotonicTime(-1, nullptr);
  SignalStorm storm(200);  // every wait ends before a whole millisecond has passed
  delayMs(5);
  EXPECT_GT(SignalStorm::count(), 0);
  EXPECT_GE(getMonotonicTime(-1, nullptr) - start, 5 * kUnitsPerMs);
}
