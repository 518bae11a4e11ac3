#include "lib2/ui/AutoHider.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Time.h"

namespace ui {

AutoHider::AutoHider(Edge edge, int visible, Callback* callback)
    : callback_(callback), edge_(edge), visible_(visible) {}

AutoHider::~AutoHider() {
  previewTimer_.stop();
  animTimer_.stop();
}

int AutoHider::hideAmount() {
  PLAT_ASSERT(widget_);
  plat::Point s = widget_->size();
  int extent = (edge_ == kTop || edge_ == kBottom) ? s.y : s.x;
  return std::max(extent - visible_, 1);
}

void AutoHider::reposition() {
  PLAT_ASSERT(widget_);
  plat::Point s = widget_->size(), p = widget_->parentSize();
  int x, y;
  if (edge_ == kTop || edge_ == kBottom) {
    x = std::max((p.x - s.x) / 2, 0);
    y = ((edge_ == kBottom) != widget_->yAxisUp()) ? p.y - s.y + offset_ : -offset_;
  } else {
    x = edge_ == kRight ? p.x - s.x + offset_ : -offset_;
    y = std::max((p.y - s.y) / 2, 0);
  }
  widget_->move(plat::Point(x, y));
}

void AutoHider::show(bool show, int durationMs) {
  if (locked_) return;
  shown_ = show;
  duration_ = durationMs < 0 ? defaultDuration_ : durationMs;
  previewTimer_.stop();
  if (callback_) callback_->autoHiderNotify(true, show, this);
  if (duration_ != 0) {
    animTimer_.start(std::max(duration_ / hideAmount(), 20));
    lastTick_ = plat::getMonotonicTime(-1, nullptr);
    return;
  }
  offset_ = show ? 0 : hideAmount();
  reposition();
  animTimer_.stop();
  if (callback_) callback_->autoHiderNotify(false, show, this);
}

void AutoHider::preview(int ms) {
  show(true, 0);
  previewTimer_.start(ms);
}

bool AutoHider::handleTimeout(plat::Timer* timer) {
  if (timer == &previewTimer_) {
    show(false, -1);
    return false;
  }
  return step();
}

bool AutoHider::step() {
  long long now = plat::getMonotonicTime(-1, nullptr);
  // A loop that held the timers for minutes gives a huge elapsed time:
  // clamped to the duration it can only finish the movement, and the
  // product stays in 64 bits.
  int duration = std::max(duration_, 1);
  long long elapsed = std::clamp((now - lastTick_) / plat::kUnitsPerMs, 0LL, (long long)duration);
  lastTick_ = now;
  int amount = hideAmount();
  int stepPx = (int)std::max((long long)amount * elapsed / duration, 1LL);
  offset_ = std::clamp(shown_ ? offset_ - stepPx : offset_ + stepPx, 0, amount);
  reposition();
  if (offset_ != (shown_ ? 0 : amount)) return true;
  if (callback_) callback_->autoHiderNotify(false, shown_, this);
  return false;
}

}  // namespace ui
