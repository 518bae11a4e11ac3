#include "tests/support/StopProgram.h"

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gwtest {

void stopProgram(pid_t pid) {
  // Readable once the program has ended, reaped or not (kill() cannot tell:
  // it reaches an unreaped program too).
  int ended = int(syscall(SYS_pidfd_open, pid, 0));
  if (ended >= 0) {
    // How long to give each request before repeating it.
    constexpr int kAskAgainMs = 100;
    for (pollfd p{ended, POLLIN, 0}; kill(pid, SIGTERM) == 0 && poll(&p, 1, kAskAgainMs) < 1;) {
    }
    close(ended);
  } else {
    kill(pid, SIGTERM);  // gone already, or a kernel without pidfd_open
  }
  waitpid(pid, nullptr, 0);
}

}  // namespace gwtest
