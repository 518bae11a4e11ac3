#include "lib1/os/AppLoop.h"

#include "lib1/plat/Assert.h"

namespace os {

AppLoop* AppLoop::inst = nullptr;
int AppLoop::exitCode = 0;

AppLoop::AppLoop() : impl_(std::make_unique<AppLoopImpl>()) {
  PLAT_ASSERT(!inst);
  inst = this;
}

AppLoop::AppLoop(int) {
  PLAT_ASSERT(!inst);
  inst = this;
}

AppLoop::~AppLoop() { inst = nullptr; }

int AppLoop::run() {
  PLAT_ASSERT(impl_);
  return impl_->run();
}

void AppLoop::quit(int code) {
  PLAT_ASSERT(inst);
  PLAT_ASSERT(inst->impl_);
  exitCode = code;
  inst->impl_->quit();
}

}  // namespace os
