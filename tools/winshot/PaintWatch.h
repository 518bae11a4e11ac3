// Watches, from an X client of its own, one top-level window of another
// program: when it is mapped, when anything is drawn inside it, what it
// shows, and when it is gone; and closes it as a person would.
//
// Drawing is seen through the DAMAGE extension on the root window, which
// reports every drawing operation on the screen, the window's children
// included, from the moment the watch starts: nothing drawn between a
// window's creation and its discovery can be missed, as it could with a
// damage object made for the window once it is known. Each event carries the
// time it was read from the connection (events read while waiting for a
// reply carry the time the reply came, a bound that is never early).
//
// Every wait is on events with a deadline, and may also end when a given
// descriptor becomes readable (a watched program that ended). A request
// about a window that has just gone fails quietly: the watch sets an Xlib
// error handler for the process that ignores errors.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "tools/winshot/WindowReader.h"

namespace winshot {

class PaintWatch {
 public:
  using Clock = std::chrono::steady_clock;

  // display null: $DISPLAY. Throws std::runtime_error when the display
  // cannot be opened or has no DAMAGE extension.
  explicit PaintWatch(const char* display);
  ~PaintWatch();
  PaintWatch(const PaintWatch&) = delete;
  PaintWatch& operator=(const PaintWatch&) = delete;

  Display* display() const { return dpy_.get(); }

  // Until a window manager frames new windows: a probe window is mapped
  // until it is reparented (a map request made while the manager is still
  // starting may be dropped, so it is made again after a short while).
  bool waitWindowManager(Clock::time_point deadline);

  // Waits for a top-level window whose WM_CLASS class or instance name, or
  // whose WM_NAME, is name to be mapped, and watches it from then on. A
  // window mapped before the watch began, or whose mapping an earlier wait
  // has passed over, does not count. Returns None at the deadline or once
  // stopFd is readable.
  Window waitMapped(const std::string& name, Clock::time_point deadline, int stopFd = -1);
  Window window() const { return window_; }

  // Waits for drawing inside the watched window; *at is when its event was
  // read. False at the deadline or once stopFd is readable.
  bool waitPaint(Clock::time_point deadline, Clock::time_point* at, int stopFd = -1);
  // Reads what has arrived without waiting: whether a paint of the watched
  // window is among the events not yet taken by waitPaint.
  bool paintPending();
  // Waits until the window has shown something besides its background and
  // then nothing more has been drawn in it for quiet. An empty picture at
  // the deadline or once stopFd is readable.
  Picture waitSettled(Clock::duration quiet, Clock::time_point deadline, int stopFd = -1);

  // The window's pixels now; empty when it cannot be read.
  Picture picture();

  // Asks the window to close: through the window manager where it offers
  // _NET_CLOSE_WINDOW, otherwise with WM_DELETE_WINDOW sent as a window
  // manager sends it.
  void close();
  // Waits until the watched window is destroyed.
  bool waitGone(Clock::time_point deadline, int stopFd = -1);

 private:
  struct Event {
    XEvent ev;
    Clock::time_point at;
  };
  enum class Wake { Event, Deadline, Stop };

  Wake next(Event* e, Clock::time_point deadline, int stopFd);
  // Moves what Xlib has queued into queue_, stamped at.
  void take(Clock::time_point at);
  // What an event means to the watch; true for a paint of the watched window.
  bool note(const XEvent& ev);
  void watchTopLevel(Window w);
  bool named(Window w, const std::string& name);
  void locate();
  bool isPaint(const XEvent& ev) const;

  struct CloseDisplay {
    void operator()(Display* d) const { XCloseDisplay(d); }
  };
  // First, so that it closes last.
  std::unique_ptr<Display, CloseDisplay> dpy_;
  Window root_ = None;
  int damageEvent_ = 0;
  Damage damage_ = None;
  std::deque<Event> queue_;
  // Windows seen mapped since waitMapped began, not yet looked at.
  std::vector<Window> mapped_;
  WindowReader reader_;
  Window window_ = None;
  XWindowAttributes attributes_{};
  // The watched window on the root, inside its border.
  XRectangle rect_{};
  bool gone_ = false;
};

}  // namespace winshot
