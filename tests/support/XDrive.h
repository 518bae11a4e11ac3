// Driving the private X server from the dialog tests: handling what it has
// sent so far, waiting (with a time-out) for a condition, typing keys as a
// person would (and tabbing to a widget), asking whether the window
// manager manages a window and has given it the focus (and whether it has
// the size it keeps), and destroying a window from another client.
//
// It brings Xlib in: include it after gtest and after the dialog model's
// and the widget set's headers, whose names Xlib's macros None and Success
// would rename.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/wvw/Widget.h"

namespace gwtest {

// Handles every event the server has sent so far.
inline void settle() {
  XSync(tx::dpy, False);
  tx::handleXEvents();
}

// Handles events until done() or 5 s have passed; false on the time-out.
inline bool settleUntil(const std::function<bool()>& done) {
  for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5); !done();) {
    if (std::chrono::steady_clock::now() > end) return false;
    settle();
  }
  return true;
}

// A key pressed and released through XTEST; sent, not yet handled.
inline void typeKey(KeySym keysym) {
  KeyCode code = XKeysymToKeycode(tx::dpy, keysym);
  XTestFakeKeyEvent(tx::dpy, code, True, 0);
  XTestFakeKeyEvent(tx::dpy, code, False, 0);
  XFlush(tx::dpy);
}

// A key pressed and released as by a person, and handled.
inline void type(KeySym keysym) {
  typeKey(keysym);
  settle();
}

// Presses Tab until w has the focus; false when twenty presses do not
// bring it there.
inline bool tabTo(const wvw::Widget* w) {
  for (int i = 0; i < 20 && !w->hasFocus(); i++) type(XK_Tab);
  return w->hasFocus();
}

// The window manager manages w: it has set WM_STATE.
inline bool managed(Window w) {
  int n = 0;
  Atom* props = XListProperties(tx::dpy, w, &n);
  bool found = std::find(props, props + n, tx::xaWM_STATE()) != props + n;
  XFree(props);
  return found;
}

inline bool focused(Window w) {
  Window f;
  int revert;
  XGetInputFocus(tx::dpy, &f, &revert);
  return f == w;
}

// w has taken the size the server last gave it: what it draws now has the
// size it shows with.
inline bool atServerSize(const TXWindow* w) {
  XWindowAttributes a;
  return XGetWindowAttributes(tx::dpy, w->win(), &a) && w->size() == plat::Point(a.width, a.height);
}

// The window manager manages w, has given it the focus, and w is at the size
// it keeps. A resize of a top-level window goes through the window manager,
// which may carry it out late, so that the server first reports an older
// size; but it carries out every resize asked before it takes a window on,
// so once w is managed the size the server has is the one w keeps.
inline bool managedFocusedAndSized(const TXWindow* w) {
  return managed(w->win()) && focused(w->win()) && atServerSize(w);
}

// Another client destroys w, as "xdotool windowclose" does. When this
// returns the server has done it; what it told us waits to be read.
inline void destroyFromOutside(Window w) {
  XSync(tx::dpy, False);  // w may be ours, still unknown to the server
  Display* other = XOpenDisplay(DisplayString(tx::dpy));
  XDestroyWindow(other, w);
  XSync(other, False);
  XCloseDisplay(other);
}

}  // namespace gwtest
