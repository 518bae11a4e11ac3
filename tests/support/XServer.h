// A private Xvfb for the X layer's tests, on a display number it picks itself
// (tests side by side never meet; never the developer's display). shared()
// starts it on first use, points DISPLAY at it and stops it when the process
// that started it ends.
#pragma once

#include <sys/types.h>

#include <string>

namespace gwtest {

class XServer {
 public:
  // Returns once Xvfb (1024x768x24) accepts connections; exits 2 if it fails.
  XServer();
  // Another server beside it, e.g. "64x48x8" (PseudoColor at depth 8),
  // optionally without MIT-SHM; DISPLAY is left alone: connect to name().
  XServer(const char* screen, bool shm);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  static XServer& shared();

  // Also from a forked child: the display goes away under the code tested.
  void stop();
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  pid_t owner_;
  std::string name_;
};

}  // namespace gwtest
