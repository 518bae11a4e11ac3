// A millisecond timer, held by value inside its owner. It fires once when its
// time has come, and again every period for as long as its callback returns
// true. It joins the timer manager that is current when it is started.
#pragma once

namespace plat {

class TimerManager;

class Timer {
 public:
  class Callback {
   public:
    virtual ~Callback();
    // timer is the one that fired, so that one callback can own several.
    virtual bool handleTimeout(Timer* timer) = 0;
  };

  explicit Timer(Callback* cb) : callback_(cb) {}
  ~Timer() { stop(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Stops the timer, then schedules it on the current manager.
  void start(int ms);
  void stop();
  // 100 ns units (not milliseconds) until the expiry; negative when overdue.
  long long getTimeRemaining() const;
  // The period given to the last start.
  int getTimeoutMs() const { return period_; }
  // False while stopped, and while the timer's own callback runs.
  bool isStarted() const { return manager_ != nullptr; }

 private:
  friend class TimerManager;

  long long expiry_ = 0;
  int period_ = 0;
  Callback* callback_;
  TimerManager* manager_ = nullptr;
};

}  // namespace plat
