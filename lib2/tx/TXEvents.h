// The registries of the window layer and the event pump that serves them:
// the TXWindow of every X window id, the modal windows (newest last), the
// handlers that see every event and the handlers of the root window.
//
// The pump may be re-entered from a handler (a modal loop runs its own), and
// handlers may register or unregister handlers and destroy windows while it
// walks: it looks windows up afresh before each call, and a handler removed
// during a walk is not called by that walk.
#pragma once

#include <X11/Xlib.h>

#include <list>
#include <map>

#include "lib2/tx/TXEventHandler.h"

namespace tx {

extern std::map<Window, TXWindow*> windows;
extern std::list<TXWindow*> modalWindows;

// The newest modal window is the modal one. Unmapping or destroying the
// window takes it off the list.
void setModalWindow(TXWindow* w);

// add appends h (duplicates allowed); remove takes the first occurrence.
void registerAllEventHandler(TXEventHandler* h, bool add);
// add enters h with mask, or changes its mask; remove takes it off. The root
// window is then selected with the union of all masks. Root handlers are
// called in the order they were first registered.
void registerRootEventHandler(TXEventHandler* h, bool add, long mask);

// Handles every event already queued or readable without waiting.
void handleXEvents();

// Whether w, the window of id, still stands after a call that may have
// destroyed it. A connection never hands out an id twice.
bool windowStands(Window id, const TXWindow* w);

// True when the last focus event read was a FocusIn.
bool appHasFocus();

}  // namespace tx
