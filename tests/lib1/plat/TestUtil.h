// The text of the exception a call throws, and a storm of signals that
// interrupts every blocking call of the tests that use it.
#pragma once

#include <sys/time.h>

#include <csignal>
#include <string>

#include "lib1/plat/Exception.h"

template <typename F>
std::string failureOf(F f) {
  try {
    f();
  } catch (const plat::Exception& e) {
    return e.str();
  }
  return "(none)";
}

// SIGALRM every `us` microseconds while it lives; `count` tells how many came.
struct SignalStorm {
  explicit SignalStorm(long us) {
    struct sigaction sa = {};
    sa.sa_handler = [](int) { count = count + 1; };
    sigaction(SIGALRM, &sa, &old);
    count = 0;
    itimerval every = {{0, us}, {0, us}};
    setitimer(ITIMER_REAL, &every, nullptr);
  }
  ~SignalStorm() {
    itimerval off = {};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &old, nullptr);
  }
  struct sigaction old;
  static inline volatile sig_atomic_t count = 0;
};
