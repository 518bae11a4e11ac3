#include "tests/support/XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tests/support/StopProgram.h"

namespace gwtest {

namespace {
[[noreturn]] void fail(const char* what) {
  fprintf(stderr, "XServer: %s\n", what);
  _exit(2);
}
}  // namespace

XServer::XServer() : XServer("1024x768x24", true) { setenv("DISPLAY", name_.c_str(), 1); }

XServer::XServer(const char* screen, bool shm) : owner_(getpid()) {
  int fds[2];
  if (pipe(fds) != 0 || (pid_ = fork()) < 0) fail("cannot start Xvfb");
  if (pid_ == 0) {
    close(fds[0]);
    // Ends with the test program, even one that crashed.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Its probing of display numbers in use is noise in a test's output.
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 2);
    std::string fd = std::to_string(fds[1]);
    const char* noShm[] = {"-extension", "MIT-SHM"};
    // -noreset: by default the server starts afresh whenever its last client
    // leaves, and refuses (resets) a connection made meanwhile; a test that
    // closes its only connection and opens another would then find no
    // server.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", screen,
           "-nolisten", "tcp", shm ? nullptr : noShm[0], noShm[1], static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // Xvfb writes the display number once it accepts connections.
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (number.empty() || number.back() != '\n') {
    char c;
    if (poll(&p, 1, 30000) <= 0 || read(fds[0], &c, 1) != 1)
      fail("Xvfb did not come up within 30 s (is xvfb installed?)");
    number += c;
  }
  close(fds[0]);
  number.pop_back();
  name_ = ":" + number;
}

XServer::~XServer() {
  if (getpid() == owner_) stop();
}

void XServer::stop() {
  if (pid_ <= 0) return;
  stopProgram(pid_);
  pid_ = -1;
}

XServer& XServer::shared() {
  static XServer server;
  return server;
}

}  // namespace gwtest
