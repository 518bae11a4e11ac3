// A storm of signals that interrupts every blocking call made while it lasts,
// for tests of waits that must survive EINTR.
#pragma once

#include <csignal>

namespace gwtest {

// SIGALRM every `us` microseconds while it lives; count() tells how many came.
class SignalStorm {
 public:
  explicit SignalStorm(long us);
  ~SignalStorm();
  SignalStorm(const SignalStorm&) = delete;
  SignalStorm& operator=(const SignalStorm&) = delete;

  static int count() { return count_; }

 private:
  struct sigaction old_;
  static volatile sig_atomic_t count_;
};

}  // namespace gwtest
