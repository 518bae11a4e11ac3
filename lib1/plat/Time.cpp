#include "lib1/plat/Time.h"

#include <sys/select.h>

#include <cerrno>

#include "lib1/plat/Exception.h"

namespace plat {

long long (*getMonotonicTimeFn)(long long, bool*) = nullptr;

namespace {

// Local-time conversions must see the time zone from the start.
struct TzInit {
  TzInit() { tzset(); }
} tzInit;

bool haveBase = false;
long long monotonicBase = 0;

bool isLeapYear(long long y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int monthLength(long long year, int month) {
  static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar,
// by a closed formula: a year-by-year count would take tens of thousands of
// steps for the far years the range allows.
long long daysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  long long yearOfEra = y - era * 400;
  long long dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

long long convertUnixTime(long seconds) { return seconds * kUnitsPerSecond + kUnixEpoch; }

long long convertUnixTime(timeval tv) {
  return tv.tv_sec * kUnitsPerSecond + tv.tv_usec * 10LL + kUnixEpoch;
}

long long convertUnixTime(timespec ts) {
  return ts.tv_sec * kUnitsPerSecond + ts.tv_nsec / 100 + kUnixEpoch;
}

timeval getUnixTime(long long t) {
  long long d;
  // Saturate rather than wrap for times near the bottom of the range.
  if (__builtin_sub_overflow(t, kUnixEpoch, &d)) d = -0x7fffffffffffffffLL - 1;
  timeval tv;
  tv.tv_sec = time_t(d / kUnitsPerSecond);
  tv.tv_usec = suseconds_t((d % kUnitsPerSecond) / 10);
  return tv;
}

long long getCalendarTime() {
  timeval tv;
  gettimeofday(&tv, nullptr);
  return convertUnixTime(tv);
}

long long getMonotonicTime(long long threshold, bool* jumped) {
  if (jumped) *jumped = false;
  if (getMonotonicTimeFn) return getMonotonicTimeFn(threshold, jumped);
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  long long ns = ts.tv_sec * 1000000000LL + ts.tv_nsec;
  if (!haveBase) {
    monotonicBase = ns;
    haveBase = true;
  }
  return (ns - monotonicBase) / 100;
}

LocalTm::LocalTm(long long t) : tm() {
  time_t s = getUnixTime(t).tv_sec;
  localtime_r(&s, this);
}

UtcTm::UtcTm(long long t) : tm() {
  time_t s = getUnixTime(t).tv_sec;
  gmtime_r(&s, this);
}

void TimeStr::init(const char* format, const tm* t) {
  int wanted = 16;
  for (;;) {
    ensureCapacity(wanted);
    if (strftime(data(), size_t(capacity()), format, t) != 0) return;
    clear();
    if (capacity() > 1024) {
      append("<date error>");
      return;
    }
    wanted = capacity() * 2;
  }
}

bool validateUtcTime(int year, int month, int day, int hour, int minute, int second) {
  if (month < 1 || month > 12) return false;
  if (day < 1 || day > monthLength(year, month)) return false;
  if (hour < 0 || hour > 23) return false;
  if (minute < 0 || minute > 59) return false;
  return second >= 0 && second <= 59;
}

long long convertUtcTime(int year, int month, int day, int hour, int minute, int second) {
  long long result = 0;
  bool ok = validateUtcTime(year, month, day, hour, minute, second);
  if (ok) {
    long long days = daysFromCivil(year, month, day);
    long long inDay = hour * 36000000000LL + minute * 600000000LL + second * kUnitsPerSecond;
    ok = !__builtin_mul_overflow(days, 864000000000LL, &result) &&
         !__builtin_add_overflow(result, inDay, &result) &&
         !__builtin_add_overflow(result, kUnixEpoch, &result);
  }
  if (!ok)
    throw Exception(1, "invalid date (%d-%d-%dT%d:%d:%d)", year, month, day, hour, minute, second);
  return result;
}

void delayMs(int ms) {
  // The time is counted from the start of the whole delay: taking whole
  // milliseconds off after each wait would lose the fraction every time, and
  // signals coming faster than once a millisecond would keep it from ever
  // ending.
  long long start = ms > 0 ? getMonotonicTime(-1, nullptr) : 0;
  int remaining = ms;
  while (remaining > 0) {
    timeval tv;
    tv.tv_sec = remaining / 1000;
    tv.tv_usec = (remaining % 1000) * 1000;
    if (select(0, nullptr, nullptr, nullptr, &tv) < 0 && errno != EINTR)
      throw SystemException("select", errno);
    long long elapsed = (getMonotonicTime(-1, nullptr) - start) / kUnitsPerMs;
    if (elapsed < 0) elapsed = 0;
    if (elapsed > ms) elapsed = ms;
    remaining = ms - int(elapsed);
  }
}

}  // namespace plat
