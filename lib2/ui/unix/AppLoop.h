// The application loop of an X program: an os::AppLoop whose implementation
// serves the X display beside descriptors and timers. Constructing it opens
// the display (unless AppLoopImpl::deferOpenDisplay() came first); when that
// fails the exception leaves the constructor and no loop is registered.
#pragma once

#include "lib1/os/AppLoop.h"
#include "lib2/ui/unix/AppLoopImpl.h"

namespace ui {

class AppLoop : public os::AppLoop {
 public:
  AppLoop();

  AppLoopImpl* impl() { return static_cast<AppLoopImpl*>(impl_.get()); }
};

}  // namespace ui
