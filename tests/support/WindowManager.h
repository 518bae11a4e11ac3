// openbox on a given X server, for tests where the window manager's part
// matters (decoration, closing through it). The constructor returns once
// openbox manages new windows, and exits 2 when that takes more than 30 s;
// the destructor stops it.
#pragma once

#include <sys/types.h>

#include <string>

namespace gwtest {

class WindowManager {
 public:
  explicit WindowManager(const std::string& display);
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

 private:
  pid_t pid_ = -1;
};

}  // namespace gwtest
