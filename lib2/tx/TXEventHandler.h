// The two callback interfaces of a TXWindow. Neither is owned by the window
// that calls it; whoever installs one keeps it alive while it is installed.
#pragma once

#include <X11/Xlib.h>

class TXWindow;

// Receives the events of a window, or of the root window (then `window` is
// null). It may destroy the window, or itself, from handleEvent: the caller
// touches neither afterwards.
class TXEventHandler {
 public:
  virtual ~TXEventHandler() = default;
  virtual void handleEvent(TXWindow* window, XEvent* event) = 0;
};

// Receives the window manager's request to close a top-level window.
class TXDeleteWindowCallback {
 public:
  virtual ~TXDeleteWindowCallback() = default;
  virtual void deleteWindow(TXWindow* window) = 0;
};
