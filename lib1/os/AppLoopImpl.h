// The loop behind os::AppLoop. Every implementation, whatever its most
// derived class, shares one descriptor manager: a function-static one built
// by the first implementation and destroyed at process exit, so it becomes
// the current descriptor and timer manager for good.
#pragma once

#include "lib1/io/FdSelectManager.h"

namespace os {

class AppLoopImpl {
 public:
  AppLoopImpl();
  virtual ~AppLoopImpl();
  AppLoopImpl(const AppLoopImpl&) = delete;
  AppLoopImpl& operator=(const AppLoopImpl&) = delete;

  // Turns the descriptor loop until the quit flag is set, then returns
  // AppLoop::exitCode. A derived loop tests the flag before every wait.
  virtual int run();
  // Sets the quit flag and wakes the pending or next wait at once.
  virtual void quit();

 protected:
  io::FdSelectManager* fdMgr_;
  bool quitRequested_ = false;
};

}  // namespace os
