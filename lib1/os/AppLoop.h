// The application's main loop: one per process, created by main. run()
// turns the loop until a callback calls quit(code), then returns the code.
// The loop itself is an exchangeable implementation object.
#pragma once

#include <memory>

#include "lib1/os/AppLoopImpl.h"

namespace os {

class AppLoop {
 public:
  // With the platform's own implementation, which waits only on descriptors
  // and timers. A second loop is a fatal assertion.
  AppLoop();
  // For a derived loop that stores its own implementation in impl_ before
  // the loop is used; the argument is not used.
  explicit AppLoop(int);
  ~AppLoop();
  AppLoop(const AppLoop&) = delete;
  AppLoop& operator=(const AppLoop&) = delete;

  int run();
  // Records the code and ends the loop after the current turn. Callable from
  // any callback, and before run.
  static void quit(int exitCode);

  static AppLoop* inst;
  static int exitCode;

 protected:
  std::unique_ptr<AppLoopImpl> impl_;
};

}  // namespace os
