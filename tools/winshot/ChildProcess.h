// A program started to be watched. Its end is a descriptor (a pidfd) that
// becomes readable when the process has ended, so that a wait for the
// program sits in the same poll() as the X connection and never in a sleep.
// Invariant: a ChildProcess always has a live or reapable process until
// wait() has returned its status; the destructor kills and reaps one that is
// still there, so no watched program outlives its watcher.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace winshot {

class ChildProcess {
 public:
  using Clock = std::chrono::steady_clock;

  // argv[0] is looked up on PATH; the environment is this process's.
  // Throws std::runtime_error when the program cannot be started.
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Readable once the process has ended.
  int endedFd() const { return pidFd_; }

  // The wait status once the process has ended, or nothing at the deadline.
  std::optional<int> wait(Clock::time_point deadline);

  // "exit status 1", "killed by signal 11".
  static std::string describe(int status);

 private:
  pid_t pid_ = -1;
  int pidFd_ = -1;
  std::optional<int> status_;
};

}  // namespace winshot
