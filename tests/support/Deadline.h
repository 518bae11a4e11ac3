// A call that must return at once, run where waiting for ever cannot stop
// the suite: in a forked child with a deadline. A call that waits past it
// fails its test instead of hanging it.
#pragma once

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "tests/support/FileChecks.h"

namespace gwtest {

// Generous for the sanitizer build; a call that is mended returns in
// microseconds.
constexpr int kDeadlineMs = 10000;

// What f returns in a forked child, after whatever the child wrote to
// standard output (a report printed before an exit, say); "(still waiting
// after <n> ms)" when the child has not ended by then, and is killed.
inline std::string textWithin(const std::function<std::string()>& f, int timeoutMs = kDeadlineMs) {
  int fds[2];
  if (pipe(fds) != 0) return "(no pipe)";
  fflush(stdout);  // else the child could write the parent's pending output again
  pid_t child = startChild([&] {
    close(fds[0]);
    dup2(fds[1], STDOUT_FILENO);
    std::string text = f();
    fflush(stdout);
    return write(fds[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 1;
  });
  close(fds[1]);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string out;
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p = {fds[0], POLLIN, 0};
    int ready = left.count() > 0 ? poll(&p, 1, int(left.count()) + 1) : 0;
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      kill(child, SIGKILL);
      exitCodeOf(child);
      close(fds[0]);
      return "(still waiting after " + std::to_string(timeoutMs) + " ms)";
    }
    char buf[4096];
    ssize_t n = read(fds[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    out.append(buf, size_t(n));
  }
  close(fds[0]);
  exitCodeOf(child);
  return out;
}

}  // namespace gwtest
