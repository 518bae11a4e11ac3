#include "lib2/tx/TXUtil.h"

#include <X11/Xatom.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "lib1/os/HostEnv.h"
#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/Exception.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXEvents.h"

namespace tx {

Time cutBufferTime = 0;

namespace {

plat::BoolParameter owncmap("owncmap",
                            "Use a private colormap rather than the default one, to prevent "
                            "other applications of being starved of colors.",
                            false, true, nullptr);
plat::BoolParameter xsync("xsync", "Enable X synchronization for debugging", false, true, nullptr);

// Keeps the time of the last change of the root's first cut buffer.
class CutBufferEventHandler : public TXEventHandler {
 public:
  void handleEvent(TXWindow*, XEvent* ev) override {
    if (ev->type == PropertyNotify && ev->xproperty.atom == XA_CUT_BUFFER0)
      cutBufferTime = ev->xproperty.time;
  }
};
CutBufferEventHandler cutBufferWatcher;

Display* connect() {
  Display* d = XOpenDisplay(nullptr);
  if (d) return d;
  // Some X libraries name the local host differently in the authority file.
  os::setEnv("XAUTHLOCALHOSTNAME", "localhost");
  d = XOpenDisplay(nullptr);
  if (!d) throw plat::Exception(1, "unable to open display \"%s\"", XDisplayName(nullptr));
  return d;
}

void loadFont() {
  defaultFS = XLoadQueryFont(dpy, "-*-helvetica-medium-r-*-*-12-*-*-*-*-*-*-*");
  if (!defaultFS) defaultFS = XLoadQueryFont(dpy, "fixed");
  if (!defaultFS) {
    fprintf(stderr, "Failed to load any font\n");
    exit(1);
  }
  defaultFont = defaultFS->fid;
}

}  // namespace

void openDisplay(const char* name) {
  if (dpy) return;
  if (name && *name) os::setEnv("DISPLAY", name);
  dpy = connect();
  ErrorCatcher::installDefaultHandler();
  if (xsync.getValue()) XSynchronize(dpy, True);
  int screen = DefaultScreen(dpy);
  Window root = DefaultRootWindow(dpy);
  if (owncmap.getValue())
    cmap = XCreateColormap(dpy, root, DefaultVisual(dpy, screen), AllocNone);
  else
    cmap = DefaultColormap(dpy, screen);

  static const unsigned short greys[6] = {0x0000, 0xBBBB, 0xEEEE, 0x5555, 0x8888, 0xFFFF};
  XColor colours[6];
  for (int i = 0; i < 6; i++) {
    colours[i].red = colours[i].green = colours[i].blue = greys[i];
    colours[i].flags = DoRed | DoGreen | DoBlue;
  }
  getColors(colours, 6);
  black = defaultFg = colours[0].pixel;
  defaultBg = disabledBg = colours[1].pixel;
  lightBg = colours[2].pixel;
  darkBg = disabledFg = colours[3].pixel;
  scrollbarBg = colours[4].pixel;
  white = enabledBg = colours[5].pixel;

  defaultGC = XCreateGC(dpy, root, 0, nullptr);
  loadFont();
  XSetForeground(dpy, defaultGC, defaultFg);
  XSetBackground(dpy, defaultGC, defaultBg);
  XSetFont(dpy, defaultGC, defaultFont);
  registerRootEventHandler(&cutBufferWatcher, true, PropertyChangeMask);
}

void getColors(XColor* colours, int n) {
  std::vector<bool> done(n);
  bool all = true;
  for (int i = 0; i < n; i++) {
    done[i] = XAllocColor(dpy, cmap, &colours[i]) != 0;
    all = all && done[i];
  }
  if (all) return;

  // A full colormap: take the nearest of the cells this client can share.
  int m = DefaultVisual(dpy, DefaultScreen(dpy))->map_entries;
  std::vector<XColor> cells(m);
  for (int p = 0; p < m; p++) cells[p].pixel = p;
  XQueryColors(dpy, cmap, cells.data(), m);
  std::vector<bool> available(m), used(m);
  for (int p = m - 1; p >= 0; p--) {
    XColor c = cells[p];
    if (!XAllocColor(dpy, cmap, &c)) continue;
    if (c.pixel == static_cast<unsigned long>(p))
      available[p] = true;
    else
      XFreeColors(dpy, cmap, &c.pixel, 1, 0);
  }
  for (int i = 0; i < n; i++) {
    if (done[i]) continue;
    unsigned long best = 0;
    unsigned long long bestDistance = ~0ULL;
    for (int p = 0; p < m; p++) {
      if (!available[p]) continue;
      long long dr = (int(colours[i].red) - int(cells[p].red)) / 2;
      long long dg = (int(colours[i].green) - int(cells[p].green)) / 2;
      long long db = (int(colours[i].blue) - int(cells[p].blue)) / 2;
      unsigned long long distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = p;
      }
    }
    colours[i].pixel = best;
    if (bestDistance != ~0ULL) used[best] = true;
  }
  for (int p = 0; p < m; p++) {
    if (!available[p] || used[p]) continue;
    unsigned long pixel = p;
    XFreeColors(dpy, cmap, &pixel, 1, 0);
  }
}

int getDisplayNum() {
  if (!dpy) return -1;
  const char* s = DisplayString(dpy);
  const char* colon = strchr(s, ':');
  if (colon) s = colon + 1;
  if (*s == ':') s++;
  return int(strtol(s, nullptr, 10));
}

plat::Point getRootPtrPos() {
  Window root, child;
  int rootX, rootY, x, y;
  unsigned int mask;
  if (!XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &rootX, &rootY, &x, &y, &mask))
    return plat::Point(-1, -1);
  return plat::Point(rootX, rootY);
}

Window windowWithName(Window top, const char* name) {
  char* windowName = nullptr;
  if (XFetchName(dpy, top, &windowName) && windowName) {
    bool same = strcmp(windowName, name) == 0;
    XFree(windowName);
    if (same) return top;
  }
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(dpy, top, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count && !found; i++) found = windowWithName(children[i], name);
  if (children) XFree(children);
  return found;
}

}  // namespace tx
