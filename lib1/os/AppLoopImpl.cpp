#include "lib1/os/AppLoopImpl.h"

#include "lib1/os/AppLoop.h"

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
  fdMgr_->wakeUpTimer.start(0);
}

}  // namespace os
