// What the running window manager is and what it offers, read from the
// EWMH and ICCCM properties of the default screen's root and of client
// windows, and the requests sent to it (window states, decorations).
//
// Every property that is missing, of the wrong type or format, or too short
// leads to the safe answer: no window manager, no support, the state
// unknown, the whole screen. A check window that has gone away is absorbed
// by an error catcher, never fatal.
#pragma once

#include <X11/Xlib.h>

#include "lib1/plat/Geometry.h"

class TXWindow;

namespace tx {

// The running EWMH window manager's check window (one that names itself in
// its own _NET_SUPPORTING_WM_CHECK), or 0.
Window getWmWindow();
// An EWMH window manager runs, or some client redirects the root's
// substructure.
bool hasWm();
// The window manager lists a in _NET_SUPPORTED; false without one.
bool queryWmSupport(Atom a);
// Asks to add (or remove) the states a1 and a2 (0: none) of a mapped window;
// an unmapped one is left alone.
void setWmState(TXWindow* w, bool add, Atom a1, Atom a2);
// Gives w the state a. An unmapped window gets it in its own _NET_WM_STATE,
// which the window manager reads as it takes the window on: a request sent
// just after mapping may reach it before it manages the window, and be
// lost. A mapped window asks as setWmState does.
void addWmState(TXWindow* w, Atom a);
// True when the state could be read; *hidden then says whether w is hidden
// (_NET_WM_STATE_HIDDEN, or a WM_STATE other than NormalState). Otherwise
// *hidden is left as it was.
bool queryWmHiddenState(TXWindow* w, bool* hidden);
// Asks for no decoration and every function.
void setNoDecoration(TXWindow* w);
// The current desktop's work area, or the whole screen.
plat::Rect getWorkAreaRect();

}  // namespace tx
