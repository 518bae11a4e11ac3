// Opening the one display connection of the process, which fills in the
// display state (TXDisplay.h), and small look-ups on the open display.
// Everything runs on the one thread of the process. The display, once open,
// stays open until the process ends; opening it again does nothing.
//
// The other process-wide parts live beside it, each in a header of its own:
// atoms (TXAtoms.h), properties and messages (TXProps.h), the error catcher
// (TXErrorCatcher.h) and the registries with the event pump (TXEvents.h).
#pragma once

#include <X11/Xlib.h>

#include "lib1/plat/Geometry.h"

namespace tx {

extern Time cutBufferTime;  // the last change of CUT_BUFFER0 on the root

// Opens the display named (DISPLAY when name is null or empty) once. Throws
// plat::Exception "unable to open display \"%s\"" when no connection can be
// made; ends the process with status 1 when no core font loads.
void openDisplay(const char* name);

// Allocates the colours (red, green and blue set by the caller) in cmap and
// writes each pixel. A colour the colormap cannot give gets the nearest cell
// that can be had, or pixel 0.
void getColors(XColor* colours, int n);

// The number of the open display (":1.0" gives 1); -1 when none is open.
int getDisplayNum();
// The pointer on the default screen's root; (-1, -1) when it is elsewhere.
plat::Point getRootPtrPos();
// Depth first from top: the first window whose WM_NAME is name; 0 if none.
Window windowWithName(Window top, const char* name);

}  // namespace tx
