#include "lib1/os/AppLoop.h"

#include "lib1/plat/Assert.h"

namespace os {

AppLoop* AppLoop::inst = nullptr;
int AppLoop::exitCode = 0;

AppLoop::AppLoop() : impl(new AppLoopImpl) {
  PLAT_ASSERT(!inst);
  inst = this;
}

AppLoop::AppLoop(int) {
  PLAT_ASSERT(!inst);
  inst = this;
}

AppLoop::~AppLoop() {
  delete impl;
  inst = nullptr;
}

int AppLoop::run() {
  PLAT_ASSERT(impl);
  return impl->run();
}

void AppLoop::quit(int code) {
  PLAT_ASSERT(inst);
  PLAT_ASSERT(inst->impl);
  exitCode = code;
  inst->impl->quit();
}

}  // namespace os
