// Waiting on the test X server from the tests of this folder: events (and
// the given timers) are pumped until a condition holds, with a time-out so a
// lost event fails the test instead of hanging it; pixels are read back as
// the server shows them.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>

#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"

namespace txtest {

// Pumps X events, and timers if given, until done() or 5 s have passed.
inline bool pumpUntil(const std::function<bool()>& done, plat::TimerManager* timers = nullptr) {
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5); !done();) {
    if (std::chrono::steady_clock::now() > end) return false;
    XSync(tx::dpy, False);
    tx::handleXEvents();
    if (timers) timers->checkTimeouts();
  }
  return true;
}

// The colour at (x, y) of w, alpha bits left out.
inline unsigned long shownAt(Window w, int x, int y) {
  XImage* im = XGetImage(tx::dpy, w, x, y, 1, 1, AllPlanes, ZPixmap);
  unsigned long p = XGetPixel(im, 0, 0) & 0xffffff;
  XDestroyImage(im);
  return p;
}

}  // namespace txtest
