#include "lib1/plat/Time.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <csignal>

#include "lib1/plat/Exception.h"

using namespace plat;

namespace {

std::string failure(int y, int mo, int d, int h, int mi, int s) {
  try {
    convertUtcTime(y, mo, d, h, mi, s);
  } catch (const Exception& e) {
    return e.str();
  }
  return "(none)";
}

volatile sig_atomic_t alarms = 0;
void onAlarm(int) { alarms = alarms + 1; }

}  // namespace

TEST(Time, UnixConversionsTruncateTowardZero) {
  EXPECT_EQ(convertUnixTime(timeval{1, 7}), kUnixEpoch + 10000070);
  EXPECT_EQ(convertUnixTime(timespec{2, 199}), kUnixEpoch + 20000001);
  timeval tv = getUnixTime(kUnixEpoch + 15);
  EXPECT_EQ(tv.tv_sec * 1000000 + tv.tv_usec, 1);
  tv = getUnixTime(kUnixEpoch - 15000010);  // before 1970: both parts negative
  EXPECT_EQ(tv.tv_sec, -1);
  EXPECT_EQ(tv.tv_usec, -500001);
  EXPECT_LT(getUnixTime(-0x7fffffffffffffffLL - 1).tv_sec, 0);  // saturates, no wrap
}

TEST(Time, UtcDatesFollowTheGregorianCalendar) {
  EXPECT_FALSE(validateUtcTime(1900, 2, 29, 0, 0, 0));
  EXPECT_TRUE(validateUtcTime(2000, 2, 29, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 4, 31, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 1, 1, 0, 0, 60));
  EXPECT_FALSE(validateUtcTime(2001, 1, 1, -1, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 13, 1, 0, 0, 0));
  EXPECT_EQ(convertUtcTime(1601, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(convertUtcTime(1970, 1, 1, 0, 0, 0), kUnixEpoch);
  EXPECT_EQ(convertUtcTime(2000, 3, 1, 0, 0, 0), 125963424000000000LL);
  EXPECT_EQ(convertUtcTime(1600, 12, 31, 23, 59, 59), -kUnitsPerSecond);
  // Beside the C library over two centuries and every month.
  for (int year = 1890; year <= 2110; year += 7) {
    for (int month = 1; month <= 12; month++) {
      tm t = {};
      t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = 28;
      t.tm_hour = month, t.tm_min = 59 - month, t.tm_sec = month;
      EXPECT_EQ(convertUtcTime(year, month, 28, month, 59 - month, month),
                convertUnixTime(long(timegm(&t))));
    }
  }
}

TEST(Time, BadDatesRaiseInvalidDateWithoutOverflowOrLooping) {
  EXPECT_EQ(failure(2001, 4, 31, 1, 2, 3), "invalid date (2001-4-31T1:2:3)");
  EXPECT_EQ(failure(-5, -1, 0, -1, -1, -1), "invalid date (-5--1-0T-1:-1:-1)");
  // The 64-bit range ends near the years -27,600 and 30,800.
  EXPECT_NO_THROW(convertUtcTime(30000, 12, 31, 23, 59, 59));
  EXPECT_NO_THROW(convertUtcTime(-27000, 1, 1, 0, 0, 0));
  EXPECT_EQ(failure(31000, 1, 1, 0, 0, 0), "invalid date (31000-1-1T0:0:0)");
  EXPECT_EQ(failure(-28000, 1, 1, 0, 0, 0), "invalid date (-28000-1-1T0:0:0)");
  EXPECT_EQ(failure(-2147483647 - 1, 1, 1, 0, 0, 0), "invalid date (-2147483648-1-1T0:0:0)");
  EXPECT_EQ(failure(2147483647, 12, 31, 0, 0, 0), "invalid date (2147483647-12-31T0:0:0)");
}

TEST(Time, FormattingGrowsThenGivesUp) {
  UtcTm t(convertUtcTime(2000, 3, 1, 13, 4, 5));
  EXPECT_EQ(t.tm_wday, 3);
  TimeStr s;
  std::string format = std::string(300, 'x') + "%Y-%m-%dT%H:%M:%S";
  s.init(format.c_str(), &t);
  EXPECT_EQ(std::string(s.get()), std::string(300, 'x') + "2000-03-01T13:04:05");
  TimeStr e;
  e.init("", &t);  // an empty expansion never succeeds
  EXPECT_STREQ(e.get(), "<date error>");
  EXPECT_EQ(e.capacity(), 2048);
}

TEST(Time, DelayLastsAtLeastItsTimeHoweverOftenSignalsCome) {
  delayMs(0);
  delayMs(-5);
  struct sigaction sa = {}, old;
  sa.sa_handler = onAlarm;
  sigaction(SIGALRM, &sa, &old);
  // Signals every 0.2 ms: each wait ends before a whole millisecond passed.
  itimerval every = {{0, 200}, {0, 200}}, off = {};
  alarms = 0;
  long long start = getMonotonicTime(-1, nullptr);
  setitimer(ITIMER_REAL, &every, nullptr);
  delayMs(5);
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old, nullptr);
  EXPECT_GT(alarms, 0);
  EXPECT_GE(getMonotonicTime(-1, nullptr) - start, 5 * kUnitsPerMs);
}
