// Slides a small window docked at one edge of its parent out of sight,
// leaving a strip of `visible` pixels, and back in. Geometry and timing only:
// the derived class supplies the Widget that is moved. The offset stays in
// 0..hideAmount(); 0 is fully shown. The speed follows elapsed time, so the
// whole distance takes about the duration however late the ticks come, and
// every tick moves at least one pixel.
#pragma once

#include "lib1/plat/Geometry.h"
#include "lib1/plat/Timer.h"

namespace ui {

class AutoHider : public plat::Timer::Callback {
 public:
  enum Edge { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };

  class Callback {
   public:
    // animating is true when a movement starts and false when it has ended;
    // shown is the target state.
    virtual void autoHiderNotify(bool animating, bool shown, AutoHider* hider) = 0;
    virtual ~Callback() = default;
  };

  class Widget {
   public:
    virtual ~Widget() = default;
    virtual void move(const plat::Point& pos) = 0;  // in the parent's coordinates
    virtual plat::Point size() = 0;
    virtual plat::Point parentSize() = 0;
    // Top and bottom are as seen on screen whichever way y runs.
    virtual bool yAxisUp() { return false; }
  };

  AutoHider(Edge edge, int visible, Callback* callback);
  ~AutoHider() override;
  AutoHider(const AutoHider&) = delete;
  AutoHider& operator=(const AutoHider&) = delete;

  int hideAmount();
  void reposition();
  // A negative durationMs means the default duration, 0 means at once.
  void show(bool show, int durationMs);
  // Shows at once and hides again, with the default duration, ms later
  // unless something else moves the window first.
  void preview(int ms);
  bool handleTimeout(plat::Timer* timer) override;

  bool isShown() const { return shown_; }
  int offset() const { return offset_; }
  bool isPreviewing() const { return previewTimer_.isStarted(); }
  int timerPeriod() const { return animTimer_.isStarted() ? animTimer_.getTimeoutMs() : 0; }

  void setDefaultDuration(int ms) { defaultDuration_ = ms; }
  // While locked, show (and the showing half of preview) does nothing.
  void setLocked(bool locked) { locked_ = locked; }

 protected:
  // The derived class points this at its Widget before placing anything.
  Widget* widget_ = nullptr;

 private:
  bool step();

  plat::Timer animTimer_{this};
  plat::Timer previewTimer_{this};
  Callback* callback_;
  Edge edge_;
  int visible_;
  int offset_ = 0;
  long long lastTick_ = 0;
  int duration_ = 0;
  int defaultDuration_ = 300;
  bool shown_ = true;
  bool locked_ = false;
};

}  // namespace ui
