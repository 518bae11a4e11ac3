#include "lib2/tx/TXAtoms.h"

#include <map>

#include "lib1/plat/Assert.h"
#include "lib1/plat/StrUtil.h"
#include "lib1/plat/String.h"
#include "lib2/tx/TXDisplay.h"

namespace tx {

namespace {
Atom intern(Atom* cache, const char* name) {
  if (!*cache) {
    PLAT_ASSERT(dpy);
    *cache = XInternAtom(dpy, name, False);
  }
  return *cache;
}
}  // namespace

#define TX_ATOM(NAME)             \
  Atom xa##NAME() {               \
    static Atom cache = 0;        \
    return intern(&cache, #NAME); \
  }

TX_ATOM(WM_PROTOCOLS)
TX_ATOM(WM_DELETE_WINDOW)
TX_ATOM(WM_TAKE_FOCUS)
TX_ATOM(WM_CHANGE_STATE)
TX_ATOM(WM_STATE)
TX_ATOM(TIMESTAMP)
TX_ATOM(TARGETS)
TX_ATOM(SELECTION_STRING)
TX_ATOM(CLIPBOARD)
TX_ATOM(INCR)
TX_ATOM(UTF8_STRING)
TX_ATOM(_NET_WM_NAME)
TX_ATOM(_NET_WM_ICON)
TX_ATOM(_NET_WM_ICON_NAME)
TX_ATOM(_NET_WM_PID)
TX_ATOM(_NET_WM_STATE)
TX_ATOM(_NET_WM_STATE_ABOVE)
TX_ATOM(_NET_WM_STATE_HIDDEN)
TX_ATOM(_NET_WM_STATE_FULLSCREEN)
TX_ATOM(_NET_WM_MOVERESIZE)
TX_ATOM(_NET_ACTIVE_WINDOW)
TX_ATOM(_NET_CURRENT_DESKTOP)
TX_ATOM(_NET_SUPPORTING_WM_CHECK)
TX_ATOM(_NET_SUPPORTED)
TX_ATOM(_NET_WORKAREA)
TX_ATOM(_MOTIF_WM_HINTS)

#undef TX_ATOM

const char* getAtomName(Atom atom) {
  static std::map<Atom, plat::String> names;
  auto it = names.find(atom);
  if (it != names.end()) return it->second.get();
  PLAT_ASSERT(dpy);
  char* name = XGetAtomName(dpy, atom);
  // A bad atom has no name; the empty text keeps callers that print it safe.
  plat::String copy(name ? name : "");
  if (name) XFree(name);
  return names.emplace(atom, std::move(copy)).first->second.get();
}

}  // namespace tx
