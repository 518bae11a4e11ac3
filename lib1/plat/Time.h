// The two clocks and the conversions around them. Both clocks count 100 ns
// units in a signed 64-bit integer: calendar time since 1601-01-01T00:00:00
// UTC, monotonic time since the first reading in the process.
#pragma once

#include <sys/time.h>

#include <ctime>

#include "lib1/plat/DString.h"

namespace plat {

// The Unix epoch on the calendar scale.
inline constexpr long long kUnixEpoch = 116444736000000000LL;
inline constexpr long long kUnitsPerSecond = 10000000LL;
inline constexpr long long kUnitsPerMs = 10000LL;

long long convertUnixTime(long seconds);
long long convertUnixTime(timeval tv);
long long convertUnixTime(timespec ts);
// Division truncates toward zero, so a time before 1970 gives a negative
// tv_sec and a tv_usec of zero or less.
timeval getUnixTime(long long t);

long long getCalendarTime();

// The monotonic clock. A replacement clock may report through *jumped that
// it jumped; threshold is the time the caller's timers make sensible, or -1.
// Callers that only want the time pass -1 and null.
long long getMonotonicTime(long long threshold, bool* jumped);

// When set, replaces the built-in monotonic clock entirely (tests drive
// time through it).
extern long long (*getMonotonicTimeFn)(long long threshold, bool* jumped);

struct LocalTm : tm {
  explicit LocalTm(long long t);
};

struct UtcTm : tm {
  explicit UtcTm(long long t);
};

// One formatted time; "<date error>" when strftime still produces nothing
// once the buffer holds more than 1024 bytes.
class TimeStr : public DString {
 public:
  void init(const char* format, const tm* t);
};

bool validateUtcTime(int year, int month, int day, int hour, int minute, int second);
// Throws "invalid date (...)" for values validateUtcTime refuses and for
// dates whose calendar time does not fit 64 bits.
long long convertUtcTime(int year, int month, int day, int hour, int minute, int second);

// Sleeps at least ms milliseconds of monotonic time, however often a signal
// interrupts the wait.
void delayMs(int ms);

}  // namespace plat
