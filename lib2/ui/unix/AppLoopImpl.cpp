#include "lib2/ui/unix/AppLoopImpl.h"

#include "lib1/os/AppLoop.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"

namespace ui {

namespace {
bool deferredOpen = false;
}  // namespace

AppLoopImpl::AppLoopImpl() {
  if (!deferredOpen) openDisplay();
}

AppLoopImpl::~AppLoopImpl() = default;

void AppLoopImpl::deferOpenDisplay() { deferredOpen = true; }

void AppLoopImpl::openDisplay() {
  auto manager =
      std::make_unique<tx::TXDisplayManager>(new io::FdIo(-1, false, false, -1, -1, true));
  // On failure the manager's destructor shuts the channel down.
  tx::openDisplay(nullptr);
  manager->watch(ConnectionNumber(tx::dpy));
  displayManager_ = std::move(manager);
}

int AppLoopImpl::run() {
  while (!quitRequested_) {
    if (tx::dpy) tx::handleXEvents();
    fdMgr_->doEvents(-1);
  }
  return os::AppLoop::exitCode;
}

}  // namespace ui
