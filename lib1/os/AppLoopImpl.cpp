#include "lib1/os/AppLoopImpl.h"

#include "lib1/os/AppLoop.h"
#include "lib1/plat/TimerManager.h"

namespace os {

AppLoopImpl::AppLoopImpl() {
  // Not nested: it is the main manager of the process.
  static io::FdSelectManager manager(false);
  fdMgr_ = &manager;
}

AppLoopImpl::~AppLoopImpl() = default;

int AppLoopImpl::run() {
  while (!quitRequested_) fdMgr_->doEvents(-1);
  return AppLoop::exitCode;
}

void AppLoopImpl::quit() {
  quitRequested_ = true;
  // On the loop's own timer manager: inside a modal loop the current one is
  // the nested manager, which dies with the modal loop and takes the wake-up
  // with it.
  fdMgr_->wakeUpTimer.stop();
  fdMgr_->timerManager()->start(&fdMgr_->wakeUpTimer, 0);
}

}  // namespace os
