#include "tests/support/SignalStorm.h"

#include <sys/time.h>

namespace gwtest {

volatile sig_atomic_t SignalStorm::count_ = 0;

SignalStorm::SignalStorm(long us) {
  struct sigaction sa = {};
  sa.sa_handler = [](int) { count_ = count_ + 1; };
  sigaction(SIGALRM, &sa, &old_);
  count_ = 0;
  itimerval every = {{0, us}, {0, us}};
  setitimer(ITIMER_REAL, &every, nullptr);
}

SignalStorm::~SignalStorm() {
  itimerval off = {};
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old_, nullptr);
}

}  // namespace gwtest
