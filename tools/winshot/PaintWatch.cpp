#include "tools/winshot/PaintWatch.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace winshot {

namespace {

// Windows come and go under a watcher: a request about one that has just
// been destroyed fails, and the caller sees an empty answer instead.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

Display* open(const char* display) {
  Display* dpy = XOpenDisplay(display);
  if (!dpy) {
    const char* name = display ? display : getenv("DISPLAY");
    throw std::runtime_error(std::string("cannot open display \"") + (name ? name : "") + "\"");
  }
  return dpy;
}

}  // namespace

PaintWatch::PaintWatch(const char* display) : dpy_(open(display)), reader_(dpy_.get()) {
  int errorBase = 0;
  if (!XDamageQueryExtension(dpy_.get(), &damageEvent_, &errorBase))
    throw std::runtime_error("the X server has no DAMAGE extension");
  XSetErrorHandler(ignoreErrors);
  root_ = DefaultRootWindow(dpy_.get());
  XSelectInput(dpy_.get(), root_, SubstructureNotifyMask);
  damage_ = XDamageCreate(dpy_.get(), root_, XDamageReportRawRectangles);
  XSync(dpy_.get(), False);
  // What was drawn before the watch began is no one's paint.
  XSync(dpy_.get(), True);
}

PaintWatch::~PaintWatch() { XDamageDestroy(dpy_.get(), damage_); }

void PaintWatch::take(Clock::time_point at) {
  // Reads what the connection holds without waiting, and pulls in what the
  // transport read while a reply was awaited: a poll() on the descriptor
  // never sees either.
  XEventsQueued(dpy_.get(), QueuedAfterReading);
  while (XEventsQueued(dpy_.get(), QueuedAlready) > 0) {
    Event e;
    XNextEvent(dpy_.get(), &e.ev);
    e.at = at;
    queue_.push_back(e);
  }
}

PaintWatch::Wake PaintWatch::next(Event* e, Clock::time_point deadline, int stopFd) {
  for (;;) {
    XFlush(dpy_.get());
    take(Clock::now());
    if (!queue_.empty()) {
      *e = queue_.front();
      queue_.pop_front();
      return Wake::Event;
    }
    pollfd fds[2] = {{ConnectionNumber(dpy_.get()), POLLIN, 0}, {stopFd, POLLIN, 0}};
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    int n = poll(fds, stopFd >= 0 ? 2 : 1, int(std::max<long>(left, 0)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error(std::string("poll: ") + strerror(errno));
    if (stopFd >= 0 && fds[1].revents) return Wake::Stop;
    if (n == 0) return Wake::Deadline;
    // A broken connection ends the process in Xlib's handler.
  }
}

bool PaintWatch::isPaint(const XEvent& ev) const {
  if (window_ == None || ev.type != damageEvent_ + XDamageNotify) return false;
  const XRectangle& a = reinterpret_cast<const XDamageNotifyEvent&>(ev).area;
  return a.x < rect_.x + rect_.width && rect_.x < a.x + a.width && a.y < rect_.y + rect_.height &&
         rect_.y < a.y + a.height;
}

bool PaintWatch::note(const XEvent& ev) {
  switch (ev.type) {
    case CreateNotify:
      if (ev.xcreatewindow.parent == root_) watchTopLevel(ev.xcreatewindow.window);
      break;
    case MapNotify:
      // Each window the watch looks at reports its own mapping (see
      // watchTopLevel); the root's copy of the report would be a second one,
      // still queued when a later wait begins.
      if (ev.xmap.event == ev.xmap.window) mapped_.push_back(ev.xmap.window);
      break;
    case ConfigureNotify:
      if (ev.xconfigure.window == window_) locate();
      break;
    case ReparentNotify:
      if (ev.xreparent.window == window_) locate();
      break;
    case DestroyNotify:
      if (ev.xdestroywindow.window == window_) gone_ = true;
      break;
    default:
      return isPaint(ev);
  }
  return false;
}

void PaintWatch::watchTopLevel(Window w) {
  // Its own map notification reaches the watch even once a window manager
  // has reparented it; one that a manager has already mapped meanwhile is
  // taken as mapped now.
  XSelectInput(dpy_.get(), w, StructureNotifyMask);
  XWindowAttributes a{};
  if (XGetWindowAttributes(dpy_.get(), w, &a) && a.map_state != IsUnmapped) mapped_.push_back(w);
  take(Clock::now());
}

bool PaintWatch::named(Window w, const std::string& name) {
  bool found = false;
  XClassHint hint{};
  if (XGetClassHint(dpy_.get(), w, &hint)) {
    found = (hint.res_name && name == hint.res_name) || (hint.res_class && name == hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  char* title = nullptr;
  if (!found && XFetchName(dpy_.get(), w, &title) && title) found = name == title;
  XFree(title);
  take(Clock::now());
  return found;
}

void PaintWatch::locate() {
  int x = 0, y = 0;
  Window child;
  if (XGetWindowAttributes(dpy_.get(), window_, &attributes_) &&
      XTranslateCoordinates(dpy_.get(), window_, root_, 0, 0, &x, &y, &child))
    rect_ = XRectangle{short(x), short(y), (unsigned short)attributes_.width,
                       (unsigned short)attributes_.height};
  take(Clock::now());
}

Window PaintWatch::waitMapped(const std::string& name, Clock::time_point deadline, int stopFd) {
  window_ = None;
  gone_ = false;
  mapped_.clear();
  Event e;
  for (;;) {
    for (Window w : mapped_) {
      if (!named(w, name)) continue;
      window_ = w;
      locate();
      mapped_.clear();
      return w;
    }
    mapped_.clear();
    if (next(&e, deadline, stopFd) != Wake::Event) return None;
    note(e.ev);
  }
}

bool PaintWatch::waitPaint(Clock::time_point deadline, Clock::time_point* at, int stopFd) {
  Event e;
  while (next(&e, deadline, stopFd) == Wake::Event) {
    if (note(e.ev)) {
      *at = e.at;
      return true;
    }
  }
  return false;
}

bool PaintWatch::paintPending() {
  take(Clock::now());
  return std::any_of(queue_.begin(), queue_.end(), [&](const Event& e) { return isPaint(e.ev); });
}

Picture PaintWatch::waitSettled(Clock::duration quiet, Clock::time_point deadline, int stopFd) {
  for (;;) {
    Clock::time_point at;
    auto until = std::min(Clock::now() + quiet, deadline);
    if (waitPaint(until, &at, stopFd)) continue;
    if (Clock::now() >= deadline) return {};
    if (stopFd >= 0) {
      pollfd p{stopFd, POLLIN, 0};
      if (poll(&p, 1, 0) > 0) return {};
    }
    Picture shown = picture();
    if (!shown.empty() && !shown.uniform()) return shown;
  }
}

Picture PaintWatch::picture() {
  Picture p = reader_.read(window_, attributes_);
  take(Clock::now());
  return p;
}

void PaintWatch::close() {
  Atom netClose = XInternAtom(dpy_.get(), "_NET_CLOSE_WINDOW", False);
  Atom supported = XInternAtom(dpy_.get(), "_NET_SUPPORTED", False);
  Atom* atoms = nullptr;
  Atom type;
  int format;
  unsigned long count = 0, after;
  bool byManager = false;
  if (XGetWindowProperty(dpy_.get(), root_, supported, 0, 4096, False, XA_ATOM, &type, &format,
                         &count, &after, reinterpret_cast<unsigned char**>(&atoms)) == Success &&
      atoms) {
    byManager = std::find(atoms, atoms + count, netClose) != atoms + count;
    XFree(atoms);
  }
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = window_;
  ev.xclient.format = 32;
  if (byManager) {
    // Source 2: a pager or other tool acting for the user.
    ev.xclient.message_type = netClose;
    ev.xclient.data.l[0] = CurrentTime;
    ev.xclient.data.l[1] = 2;
    XSendEvent(dpy_.get(), root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
  } else {
    ev.xclient.message_type = XInternAtom(dpy_.get(), "WM_PROTOCOLS", False);
    ev.xclient.data.l[0] = long(XInternAtom(dpy_.get(), "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy_.get(), window_, False, NoEventMask, &ev);
  }
  XFlush(dpy_.get());
  take(Clock::now());
}

bool PaintWatch::waitGone(Clock::time_point deadline, int stopFd) {
  Event e;
  while (!gone_) {
    if (next(&e, deadline, stopFd) != Wake::Event) return false;
    note(e.ev);
  }
  return true;
}

bool PaintWatch::waitWindowManager(Clock::time_point deadline) {
  Window probe = XCreateSimpleWindow(dpy_.get(), root_, 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(dpy_.get(), probe, StructureNotifyMask);
  bool framed = false;
  Event e;
  while (!framed && Clock::now() < deadline) {
    XMapWindow(dpy_.get(), probe);
    auto retry = std::min(Clock::now() + std::chrono::milliseconds(200), deadline);
    while (!framed && next(&e, retry, -1) == Wake::Event)
      framed = e.ev.type == ReparentNotify && e.ev.xreparent.window == probe &&
               e.ev.xreparent.parent != root_;
    if (!framed) XUnmapWindow(dpy_.get(), probe);
  }
  XDestroyWindow(dpy_.get(), probe);
  XSync(dpy_.get(), False);
  take(Clock::now());
  return framed;
}

}  // namespace winshot
