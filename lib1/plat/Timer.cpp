#include "lib1/plat/Timer.h"

#include "lib1/plat/Time.h"
#include "lib1/plat/TimerManager.h"

namespace plat {

Timer::Callback::~Callback() = default;

void Timer::start(int ms) {
  stop();
  TimerManager::threadInstance()->start(this, ms);
}

void Timer::stop() {
  if (manager_) manager_->stop(this);
}

long long Timer::getTimeRemaining() const { return expiry_ - getMonotonicTime(-1, nullptr); }

}  // namespace plat
