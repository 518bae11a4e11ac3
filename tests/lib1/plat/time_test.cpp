#include "lib1/plat/Time.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <csignal>
#include <cstring>

#include "lib1/plat/Exception.h"

using namespace plat;

namespace {

constexpr long long kDay = 864000000000LL;

std::string invalidDateMessage(int y, int mo, int d, int h, int mi, int s) {
  try {
    convertUtcTime(y, mo, d, h, mi, s);
  } catch (const Exception& e) {
    return e.str();
  }
  return "(no exception)";
}

}  // namespace

TEST(UnixTime, ConvertsEachFormToTheCalendarScale) {
  EXPECT_EQ(convertUnixTime(0L), 116444736000000000LL);
  EXPECT_EQ(convertUnixTime(-1L), 116444736000000000LL - 10000000);
  EXPECT_EQ(convertUnixTime(timeval{1, 7}), 116444736000000000LL + 10000070);
  // Nanoseconds are truncated to whole 100 ns units.
  EXPECT_EQ(convertUnixTime(timespec{2, 199}), 116444736000000000LL + 20000001);
}

TEST(UnixTime, BackConversionTruncatesTowardZero) {
  timeval tv = getUnixTime(116444736000000000LL);
  EXPECT_EQ(tv.tv_sec, 0);
  EXPECT_EQ(tv.tv_usec, 0);
  tv = getUnixTime(116444736000000015LL);
  EXPECT_EQ(tv.tv_sec, 0);
  EXPECT_EQ(tv.tv_usec, 1);
  // Before 1970: a negative second count and a non-positive remainder.
  tv = getUnixTime(116444736000000000LL - 15000010);
  EXPECT_EQ(tv.tv_sec, -1);
  EXPECT_EQ(tv.tv_usec, -500001);
  // Far below the epoch the difference saturates instead of wrapping.
  tv = getUnixTime(-0x7fffffffffffffffLL - 1);
  EXPECT_LT(tv.tv_sec, 0);
}

TEST(UnixTime, CalendarClockAgreesWithTheCLibrary) {
  long long before = convertUnixTime(long(time(nullptr)));
  long long now = getCalendarTime();
  long long after = convertUnixTime(long(time(nullptr))) + 10000000;
  EXPECT_GE(now, before);
  EXPECT_LE(now, after);
}

TEST(UtcDate, ValidatesTheGregorianCalendar) {
  EXPECT_FALSE(validateUtcTime(1900, 2, 29, 0, 0, 0));
  EXPECT_TRUE(validateUtcTime(2000, 2, 29, 0, 0, 0));
  EXPECT_TRUE(validateUtcTime(2024, 2, 29, 23, 59, 59));
  EXPECT_FALSE(validateUtcTime(2023, 2, 29, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 4, 31, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 1, 1, 0, 0, 60));
  EXPECT_FALSE(validateUtcTime(2001, 1, 1, -1, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 0, 1, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 13, 1, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 1, 0, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 1, 1, 24, 0, 0));
  EXPECT_FALSE(validateUtcTime(2001, 1, 1, 0, 60, 0));
  EXPECT_FALSE(validateUtcTime(2001, -3, 1, 0, 0, 0));
  // The year itself is not limited.
  EXPECT_TRUE(validateUtcTime(-4, 2, 29, 0, 0, 0));
  EXPECT_FALSE(validateUtcTime(-100, 2, 29, 0, 0, 0));
}

TEST(UtcDate, ConvertsKnownDates) {
  EXPECT_EQ(convertUtcTime(1601, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(convertUtcTime(1970, 1, 1, 0, 0, 0), 116444736000000000LL);
  EXPECT_EQ(convertUtcTime(2000, 3, 1, 0, 0, 0), 125963424000000000LL);
  EXPECT_EQ(convertUtcTime(1600, 12, 31, 23, 59, 59), -10000000);
  EXPECT_EQ(convertUtcTime(1970, 1, 1, 1, 2, 3), 116444736000000000LL + 37230000000LL);
}

TEST(UtcDate, AgreesWithTimegmAcrossCenturies) {
  for (int year = 1890; year <= 2110; year += 7) {
    for (int month = 1; month <= 12; month += 1) {
      tm t = {};
      t.tm_year = year - 1900;
      t.tm_mon = month - 1;
      t.tm_mday = month == 2 ? 28 : 30 - month % 2;
      t.tm_hour = month;
      t.tm_min = 59 - month;
      t.tm_sec = 2 * month;
      long long expected = convertUnixTime(long(timegm(&t)));
      EXPECT_EQ(convertUtcTime(year, month, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec), expected)
          << year << "-" << month;
    }
  }
}

TEST(UtcDate, YearsJoinWithoutGapsOverTheWholeRange) {
  // Consecutive: the last second of each year is one second before the
  // first of the next, also for negative years and century rules.
  const int years[] = {-27000, -401, -101, -5,   -1,   0,    1,    99,   100,  399,  400,
                       1599,   1600, 1899, 1900, 1969, 1999, 2000, 2100, 9999, 30000};
  for (int y : years) {
    long long last = convertUtcTime(y, 12, 31, 23, 59, 59);
    EXPECT_EQ(last + 10000000, convertUtcTime(y + 1, 1, 1, 0, 0, 0)) << y;
    bool leap = validateUtcTime(y, 2, 29, 0, 0, 0);
    EXPECT_EQ(convertUtcTime(y, 3, 1, 0, 0, 0) - convertUtcTime(y, 2, 1, 0, 0, 0),
              (leap ? 29 : 28) * kDay)
        << y;
  }
}

TEST(UtcDate, BadValuesRaiseInvalidDate) {
  EXPECT_EQ(invalidDateMessage(2001, 4, 31, 1, 2, 3), "invalid date (2001-4-31T1:2:3)");
  EXPECT_EQ(invalidDateMessage(2001, 1, 1, 0, 0, 60), "invalid date (2001-1-1T0:0:60)");
  EXPECT_EQ(invalidDateMessage(-5, -1, 0, -1, -1, -1), "invalid date (-5--1-0T-1:-1:-1)");
}

TEST(UtcDate, YearsBeyondTheSixtyFourBitRangeRaiseInsteadOfOverflowing) {
  EXPECT_NO_THROW(convertUtcTime(30000, 12, 31, 23, 59, 59));
  EXPECT_NO_THROW(convertUtcTime(-27000, 1, 1, 0, 0, 0));
  EXPECT_EQ(invalidDateMessage(31000, 1, 1, 0, 0, 0), "invalid date (31000-1-1T0:0:0)");
  EXPECT_EQ(invalidDateMessage(-28000, 1, 1, 0, 0, 0), "invalid date (-28000-1-1T0:0:0)");
  // The extremes of int come back at once, without a year-by-year walk.
  EXPECT_EQ(invalidDateMessage(2147483647, 12, 31, 23, 59, 59),
            "invalid date (2147483647-12-31T23:59:59)");
  EXPECT_EQ(invalidDateMessage(-2147483647 - 1, 1, 1, 0, 0, 0),
            "invalid date (-2147483648-1-1T0:0:0)");
}

TEST(BrokenDownTime, UtcAndFormatting) {
  UtcTm t(convertUtcTime(2000, 3, 1, 13, 4, 5));
  EXPECT_EQ(t.tm_year, 100);
  EXPECT_EQ(t.tm_mon, 2);
  EXPECT_EQ(t.tm_mday, 1);
  EXPECT_EQ(t.tm_wday, 3);  // a Wednesday
  TimeStr s;
  s.init("%Y-%m-%dT%H:%M:%S", &t);
  EXPECT_STREQ(s.get(), "2000-03-01T13:04:05");
}

TEST(BrokenDownTime, LocalTimeFollowsTheTimeZone) {
  const char* old = getenv("TZ");
  std::string saved = old ? old : "";
  setenv("TZ", "XST-3", 1);
  tzset();
  LocalTm t(convertUtcTime(2000, 3, 1, 22, 0, 0));
  EXPECT_EQ(t.tm_mday, 2);
  EXPECT_EQ(t.tm_hour, 1);
  if (old)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

TEST(BrokenDownTime, FormattingGrowsAndGivesUpWithDateError) {
  UtcTm t(convertUtcTime(2000, 3, 1, 0, 0, 0));
  TimeStr s;
  std::string format(300, 'x');
  format += "%Y";
  s.init(format.c_str(), &t);
  EXPECT_EQ(std::string(s.get()), std::string(300, 'x') + "2000");
  // An empty expansion can never succeed: the buffer grows past 1024 bytes
  // and the text says so.
  TimeStr e;
  e.init("", &t);
  EXPECT_STREQ(e.get(), "<date error>");
  EXPECT_EQ(e.capacity(), 2048);
}

namespace {

int clockReads = 0;
long long fixedClock(long long, bool*) {
  clockReads++;
  return 5;
}

volatile sig_atomic_t alarms = 0;
void onAlarm(int) { alarms = alarms + 1; }

}  // namespace

TEST(MonotonicClock, ReplacementClockTakesOverEntirely) {
  bool jumped = true;
  long long a = getMonotonicTime(-1, &jumped);
  EXPECT_FALSE(jumped);
  EXPECT_GE(getMonotonicTime(-1, nullptr), a);
  getMonotonicTimeFn = fixedClock;
  clockReads = 0;
  EXPECT_EQ(getMonotonicTime(123, &jumped), 5);
  EXPECT_EQ(clockReads, 1);
  // Nothing to wait for: no clock reading, no select.
  delayMs(0);
  delayMs(-5);
  EXPECT_EQ(clockReads, 1);
  getMonotonicTimeFn = nullptr;
}

TEST(MonotonicClock, DelayOutlastsSignals) {
  struct sigaction sa = {}, old;
  sa.sa_handler = onAlarm;
  sigaction(SIGALRM, &sa, &old);
  itimerval every = {{0, 200}, {0, 200}}, off = {};
  alarms = 0;
  long long start = getMonotonicTime(-1, nullptr);
  setitimer(ITIMER_REAL, &every, nullptr);
  delayMs(5);
  setitimer(ITIMER_REAL, &off, nullptr);
  long long elapsed = getMonotonicTime(-1, nullptr) - start;
  sigaction(SIGALRM, &old, nullptr);
  EXPECT_GT(alarms, 0);
  EXPECT_GE(elapsed, 5 * kUnitsPerMs);
}
