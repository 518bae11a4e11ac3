#include "tests/e2e/Desktop.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>

namespace e2e {

namespace {

Atom atom(Display* dpy, const char* name) { return XInternAtom(dpy, name, False); }

// Ignores the errors of requests on windows that went meanwhile.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

Desktop::Desktop() : dpy_(XOpenDisplay(server_.name().c_str())) {
  if (!dpy_) {
    fprintf(stderr, "Desktop: cannot open %s\n", server_.name().c_str());
    abort();
  }
  XSetErrorHandler(ignoreErrors);
  XSelectInput(dpy_, DefaultRootWindow(dpy_), SubstructureNotifyMask);
  int error, fixesEvent;
  if (!XDamageQueryExtension(dpy_, &damageEvent_, &error)) damageEvent_ = -1;
  if (!XFixesQueryExtension(dpy_, &fixesEvent, &error)) {
    fprintf(stderr, "Desktop: the X server has no XFIXES extension\n");
    abort();
  }
  XFixesSelectSelectionInput(dpy_, DefaultRootWindow(dpy_), atom(dpy_, "CLIPBOARD"),
                             XFixesSetSelectionOwnerNotifyMask);
  XSync(dpy_, False);
}

Desktop::~Desktop() { XCloseDisplay(dpy_); }

void Desktop::drainEvents() {
  for (XEvent ev; XPending(dpy_);) {
    XNextEvent(dpy_, &ev);
    if (ev.type == CreateNotify && ev.xcreatewindow.parent == DefaultRootWindow(dpy_)) created_++;
  }
}

void Desktop::watchPaint(Window w) {
  if (damageEvent_ < 0) {
    fprintf(stderr, "Desktop: the X server has no DAMAGE extension\n");
    abort();
  }
  XDamageCreate(dpy_, w, XDamageReportRawRectangles);
  XFlush(dpy_);
}

Window Desktop::clipboardOwner() const { return XGetSelectionOwner(dpy_, atom(dpy_, "CLIPBOARD")); }

std::vector<Window> Desktop::clients() const {
  std::vector<Window> out;
  Atom wmState = atom(dpy_, "WM_STATE");
  // A client is a window with WM_STATE, at the top or one frame down.
  auto hasState = [&](Window w) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    bool has = XGetWindowProperty(dpy_, w, wmState, 0, 0, False, AnyPropertyType, &type, &format,
                                  &n, &after, &data) == Success &&
               type != 0;
    if (data) XFree(data);
    return has;
  };
  std::function<void(Window, int)> walk = [&](Window w, int depth) {
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy_, w, &root, &parent, &children, &n)) return;
    for (unsigned i = 0; i < n; i++) {
      if (hasState(children[i]))
        out.push_back(children[i]);
      else if (depth < 3)
        walk(children[i], depth + 1);
    }
    if (children) XFree(children);
  };
  walk(DefaultRootWindow(dpy_), 0);
  return out;
}

Window Desktop::findByName(const std::string& name) const {
  for (Window w : clients())
    if (viewable(w) && text(w, "WM_NAME") == name) return w;
  return 0;
}

std::vector<Window> Desktop::popups() const {
  std::vector<Window> out;
  Window root, parent, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(dpy_, DefaultRootWindow(dpy_), &root, &parent, &children, &n)) return out;
  for (unsigned i = 0; i < n; i++) {
    XWindowAttributes a;
    if (XGetWindowAttributes(dpy_, children[i], &a) && a.override_redirect &&
        a.map_state == IsViewable && a.width > 1)
      out.push_back(children[i]);
  }
  if (children) XFree(children);
  return out;
}

bool Desktop::viewable(Window w) const {
  XWindowAttributes a;
  return XGetWindowAttributes(dpy_, w, &a) && a.map_state == IsViewable;
}

bool Desktop::focused(Window w) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(dpy_, w, &a)) return false;
  if (!(a.your_event_mask & FocusChangeMask))
    XSelectInput(dpy_, w, a.your_event_mask | FocusChangeMask);
  Window f;
  int revert;
  XGetInputFocus(dpy_, &f, &revert);
  return f == w;
}

std::optional<std::pair<int, int>> Desktop::toScreen(Window w, int x, int y) const {
  int sx, sy;
  Window child;
  if (!XTranslateCoordinates(dpy_, w, DefaultRootWindow(dpy_), x, y, &sx, &sy, &child))
    return std::nullopt;
  return std::pair(sx, sy);
}

std::pair<int, int> Desktop::size(Window w) const {
  XWindowAttributes a;
  if (!XGetWindowAttributes(dpy_, w, &a)) return {0, 0};
  return {a.width, a.height};
}

std::string Desktop::text(Window w, const char* property) const {
  XTextProperty p{};
  if (!XGetTextProperty(dpy_, w, &p, atom(dpy_, property)) || !p.value) return "";
  std::string out(reinterpret_cast<char*>(p.value), p.nitems);
  XFree(p.value);
  return out;
}

std::vector<long> Desktop::cardinals(Window w, const char* property) const {
  std::vector<long> out;
  Atom type;
  int format;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy_, w, atom(dpy_, property), 0, 1 << 20, False, AnyPropertyType, &type,
                         &format, &n, &after, &data) == Success &&
      data && format == 32) {
    const long* v = reinterpret_cast<const long*>(data);
    out.assign(v, v + n);
  }
  if (data) XFree(data);
  return out;
}

std::vector<std::string> Desktop::atoms(Window w, const char* property) const {
  std::vector<std::string> out;
  for (long a : cardinals(w, property)) {
    char* name = XGetAtomName(dpy_, Atom(a));
    out.push_back(name ? name : "?");
    if (name) XFree(name);
  }
  return out;
}

void Desktop::click(Window w, int x, int y, int button) {
  auto at = toScreen(w, x, y);
  if (!at) return;
  XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), at->first, at->second, CurrentTime);
  XTestFakeButtonEvent(dpy_, unsigned(button), True, CurrentTime);
  XTestFakeButtonEvent(dpy_, unsigned(button), False, CurrentTime);
  XFlush(dpy_);
}

void Desktop::key(KeySym keysym, const std::vector<KeySym>& modifiers) {
  for (KeySym m : modifiers) XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, m), True, CurrentTime);
  KeyCode code = XKeysymToKeycode(dpy_, keysym);
  XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
  XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
    XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, *m), False, CurrentTime);
  XFlush(dpy_);
}

void Desktop::type(const std::string& text) {
  for (char c : text) {
    // Printable ASCII keysyms are the characters themselves.
    KeySym sym = KeySym(static_cast<unsigned char>(c));
    KeyCode code = XKeysymToKeycode(dpy_, sym);
    bool shift = XkbKeycodeToKeysym(dpy_, code, 0, 0) != sym;
    key(sym, shift ? std::vector<KeySym>{XK_Shift_L} : std::vector<KeySym>{});
  }
}

namespace {

// A request to the window manager about w, as a pager makes it for a person.
void askWindowManager(Display* dpy, Window w, const char* request, long l0, long l1) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = atom(dpy, request);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = l0;
  ev.xclient.data.l[1] = l1;
  XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &ev);
  XFlush(dpy);
}

// The source indication of a pager, which acts for a person.
constexpr long kPager = 2;

}  // namespace

void Desktop::closeThroughWindowManager(Window w) {
  askWindowManager(dpy_, w, "_NET_CLOSE_WINDOW", CurrentTime, kPager);
}

size_t Desktop::colours(Window w, int x, int y, int width, int height) const {
  XImage* im = XGetImage(dpy_, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
  if (!im) return 0;
  std::set<unsigned long> seen;
  for (int j = 0; j < height; j++)
    for (int i = 0; i < width; i++) seen.insert(XGetPixel(im, i, j) & 0xffffff);
  XDestroyImage(im);
  return seen.size();
}

}  // namespace e2e
