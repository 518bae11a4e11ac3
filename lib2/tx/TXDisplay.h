// The process-wide state of the X display: the one connection, its colormap,
// the pixels of the named greys, the default graphics context and the core
// font. openDisplay() (TXUtil.h) sets all of it at once; until then dpy is
// null and the rest unset, and from then on none of it changes until the
// process ends. Only the one thread of the process touches it.
//
// It stands on Xlib alone, at the bottom of the window layer, so that every
// other part can reach the display without including the rest.
#pragma once

#include <X11/Xlib.h>

namespace tx {

extern Display* dpy;
extern Colormap cmap;
extern unsigned long black, defaultFg;       // grey 0x0000
extern unsigned long defaultBg, disabledBg;  // grey 0xBBBB
extern unsigned long lightBg;                // grey 0xEEEE
extern unsigned long darkBg, disabledFg;     // grey 0x5555
extern unsigned long scrollbarBg;            // grey 0x8888
extern unsigned long white, enabledBg;       // grey 0xFFFF
extern GC defaultGC;
extern XFontStruct* defaultFS;
extern Font defaultFont;

}  // namespace tx
