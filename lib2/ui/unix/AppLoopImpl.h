// The loop of an X program: between two waits of the shared descriptor
// manager it handles every queued X event, and the X connection's descriptor
// is among the descriptors waited on, so X traffic ends a wait as timers and
// other descriptors do. Events are always drained before the next wait, so
// an event Xlib has already read is never left waiting.
#pragma once

#include <memory>

#include "lib1/os/AppLoopImpl.h"
#include "lib2/tx/TXDisplayManager.h"

namespace ui {

class AppLoopImpl : public os::AppLoopImpl {
 public:
  // Opens the display unless deferOpenDisplay() came first; throws
  // plat::Exception when it cannot be opened.
  AppLoopImpl();
  ~AppLoopImpl() override;

  // Loops created from now on leave the display alone.
  static void deferOpenDisplay();
  void openDisplay();
  int run() override;

 private:
  std::unique_ptr<tx::TXDisplayManager> displayManager_;
};

}  // namespace ui
