// A private X server for the tests of the X layer: Xvfb on a display number
// the server picks itself, so that tests running side by side never meet, and
// never the developer's own display. shared() starts it on first use, points
// DISPLAY at it and stops it when the process that started it ends (a forked
// child leaves it alone).
#pragma once

#include <sys/types.h>

#include <string>

namespace gwtest {

class XServer {
 public:
  // Starts Xvfb with a 1024x768x24 screen and returns once it accepts
  // connections. A server that does not come up fails the test program.
  XServer();
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  static XServer& shared();

  const std::string& display() const { return display_; }  // ":N"
  // Kills the server and waits for it; callable from a forked child, to make
  // the display go away under the code being tested.
  void stop();

 private:
  pid_t pid_ = -1;
  pid_t owner_;
  std::string display_;
};

}  // namespace gwtest
