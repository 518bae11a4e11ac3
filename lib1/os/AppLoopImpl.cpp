#include "lib1/os/AppLoopImpl.h"

#include "lib1/os/AppLoop.h"

namespace os {

AppLoopImpl::AppLoopImpl() {
  // Not nested: it is the main manager of the process.
  static io::FdSelectManager fdMgr_(false);
  fdMgr = &fdMgr_;
}

AppLoopImpl::~AppLoopImpl() = default;

int AppLoopImpl::run() {
  while (!quitRequested) fdMgr->doEvents(-1);
  return AppLoop::exitCode;
}

void AppLoopImpl::quit() {
  quitRequested = true;
  if (fdMgr) fdMgr->wakeUpTimer.start(0);
}

}  // namespace os
