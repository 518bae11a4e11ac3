#include "lib2/ui/unix/AppLoop.h"

namespace ui {

AppLoop::AppLoop() : os::AppLoop(0) { impl_ = std::make_unique<AppLoopImpl>(); }

}  // namespace ui
