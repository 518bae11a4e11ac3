// The atoms the window layer uses, each interned on first use and cached for
// the life of the process. The display must be open before any getter runs.
#pragma once

#include <X11/Xlib.h>

namespace tx {

Atom xaWM_PROTOCOLS();
Atom xaWM_DELETE_WINDOW();
Atom xaWM_TAKE_FOCUS();
Atom xaWM_CHANGE_STATE();
Atom xaWM_STATE();
Atom xaTIMESTAMP();
Atom xaTARGETS();
Atom xaSELECTION_STRING();
Atom xaCLIPBOARD();
Atom xaINCR();
Atom xaUTF8_STRING();
Atom xa_NET_WM_NAME();
Atom xa_NET_WM_ICON();
Atom xa_NET_WM_ICON_NAME();
Atom xa_NET_WM_PID();
Atom xa_NET_WM_STATE();
Atom xa_NET_WM_STATE_ABOVE();
Atom xa_NET_WM_STATE_HIDDEN();
Atom xa_NET_WM_STATE_FULLSCREEN();
Atom xa_NET_WM_MOVERESIZE();
Atom xa_NET_ACTIVE_WINDOW();
Atom xa_NET_CURRENT_DESKTOP();
Atom xa_NET_SUPPORTING_WM_CHECK();
Atom xa_NET_SUPPORTED();
Atom xa_NET_WORKAREA();
Atom xa_MOTIF_WM_HINTS();

// The atom's name, asked of the server once; the text stays valid for the
// life of the process.
const char* getAtomName(Atom atom);

}  // namespace tx
