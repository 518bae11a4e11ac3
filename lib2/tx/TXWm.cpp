#include "lib2/tx/TXWm.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <vector>

#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXProps.h"
#include "lib2/tx/TXWindow.h"

namespace tx {

namespace {

constexpr long kNormalState = 1;

// The items of a format-32 property of the given type; false when it is
// missing, of another type or of another format.
bool readLongs(Window w, Atom property, Atom type, std::vector<long>* items) {
  GetProp prop(w, property, type, false);
  bool ok = prop.ok && prop.actualFormat == 32 && prop.data;
  if (ok) {
    const long* data = reinterpret_cast<const long*>(prop.data);
    items->assign(data, data + prop.nitems);
  }
  if (prop.data) XFree(prop.data);
  return ok;
}

Window firstWindow(Window w) {
  std::vector<long> items;
  if (!readLongs(w, xa_NET_SUPPORTING_WM_CHECK(), XA_WINDOW, &items) || items.empty()) return 0;
  return Window(items[0]);
}

plat::Rect screenRect() {
  int screen = DefaultScreen(dpy);
  return plat::Rect(0, 0, DisplayWidth(dpy, screen), DisplayHeight(dpy, screen));
}

}  // namespace

Window getWmWindow() {
  Window check = firstWindow(DefaultRootWindow(dpy));
  if (!check) return 0;
  // The window manager may have died and left its check window's id behind.
  ErrorCatcher catcher(true);
  return firstWindow(check) == check ? check : 0;
}

bool hasWm() {
  if (getWmWindow()) return true;
  XWindowAttributes attr;
  if (!XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &attr)) return false;
  return (attr.all_event_masks & SubstructureRedirectMask) != 0;
}

bool queryWmSupport(Atom a) {
  if (!getWmWindow()) return false;
  std::vector<long> atoms;
  if (!readLongs(DefaultRootWindow(dpy), xa_NET_SUPPORTED(), XA_ATOM, &atoms)) return false;
  return std::find(atoms.begin(), atoms.end(), long(a)) != atoms.end();
}

void setWmState(TXWindow* w, bool add, Atom a1, Atom a2) {
  if (!w->isMapped()) return;
  sendWmClientMsg(w->win(), xa_NET_WM_STATE(), add ? 1 : 0, unsigned(a1), unsigned(a2), 0, 0);
}

void addWmState(TXWindow* w, Atom a) {
  if (w->isMapped()) return setWmState(w, true, a, 0);
  std::vector<long> states;
  readLongs(w->win(), xa_NET_WM_STATE(), XA_ATOM, &states);
  if (std::find(states.begin(), states.end(), long(a)) != states.end()) return;
  states.push_back(long(a));
  setProp(w->win(), xa_NET_WM_STATE(), XA_ATOM, 32, states.data(), int(states.size()));
}

bool queryWmHiddenState(TXWindow* w, bool* hidden) {
  std::vector<long> states;
  if (readLongs(w->win(), xa_NET_WM_STATE(), XA_ATOM, &states)) {
    *hidden =
        std::find(states.begin(), states.end(), long(xa_NET_WM_STATE_HIDDEN())) != states.end();
    return true;
  }
  if (readLongs(w->win(), xaWM_STATE(), xaWM_STATE(), &states) && !states.empty()) {
    *hidden = states[0] != kNormalState;
    return true;
  }
  return false;
}

void setNoDecoration(TXWindow* w) {
  // Flags: functions and decorations given; functions: all; decorations: none.
  const long hints[5] = {3, 1, 0, 0, 0};
  setProp(w->win(), xa_MOTIF_WM_HINTS(), xa_MOTIF_WM_HINTS(), 32, hints, 5);
}

plat::Rect getWorkAreaRect() {
  Window root = DefaultRootWindow(dpy);
  unsigned desktop = 0;
  if (!getU32Prop(root, xa_NET_CURRENT_DESKTOP(), XA_CARDINAL, &desktop)) desktop = 0;
  std::vector<long> area;
  size_t first = size_t(desktop) * 4;
  if (!readLongs(root, xa_NET_WORKAREA(), XA_CARDINAL, &area) || area.size() < first + 4)
    return screenRect();
  int x = int(area[first]), y = int(area[first + 1]);
  return plat::Rect(x, y, x + int(area[first + 2]), y + int(area[first + 3]));
}

}  // namespace tx
