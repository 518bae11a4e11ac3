#include "tests/support/WindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace gwtest {

namespace {

[[noreturn]] void fail(const char* what) {
  fprintf(stderr, "WindowManager: %s\n", what);
  _exit(2);
}

// The window that prop of w names, if it exists.
Window namedWindow(Display* dpy, Window w, Atom prop) {
  Atom type;
  int format;
  unsigned long n, after;
  unsigned char* data = nullptr;
  Window named = 0;
  if (XGetWindowProperty(dpy, w, prop, 0, 1, False, XA_WINDOW, &type, &format, &n, &after, &data) ==
          Success &&
      data && n == 1 && format == 32)
    named = Window(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  return named;
}

// The check window names itself once the manager is up, not a stale window
// of a manager that went before.
bool announced(Display* dpy, Atom check) {
  Window w = namedWindow(dpy, DefaultRootWindow(dpy), check);
  return w && namedWindow(dpy, w, check) == w;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

using Clock = std::chrono::steady_clock;

// Waits until the server sends something or until comes, and reads it all;
// *managed is set when a window of ours is reparented into a frame. Fails the process once end has
// passed or openbox has died.
void waitForEvents(Display* dpy, Clock::time_point until, Clock::time_point end, pid_t wm,
                   bool* managed) {
  if (Clock::now() >= end || waitpid(wm, nullptr, WNOHANG) == wm)
    fail("openbox did not come up within 30 s (is openbox installed?)");
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  pollfd p{ConnectionNumber(dpy), POLLIN, 0};
  if (!XPending(dpy)) poll(&p, 1, int(std::max<long>(left.count(), 0)));
  while (XPending(dpy)) {
    XEvent ev;
    XNextEvent(dpy, &ev);
    if (ev.type == ReparentNotify && managed) *managed = true;
  }
}

}  // namespace

WindowManager::WindowManager(const std::string& display) {
  Display* dpy = XOpenDisplay(display.c_str());
  if (!dpy) fail("cannot connect to the X server");
  XSelectInput(dpy, DefaultRootWindow(dpy), PropertyChangeMask);
  XSync(dpy, False);
  pid_ = fork();
  if (pid_ < 0) fail("cannot fork");
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, 1);
      dup2(null, 2);
    }
    setenv("DISPLAY", display.c_str(), 1);
    execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
    _exit(127);
  }
  // A check window that goes away between the two reads is an X error.
  XErrorHandler old = XSetErrorHandler(ignoreErrors);
  Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
  auto end = Clock::now() + std::chrono::seconds(30);
  // Each property change on the root wakes us to look again.
  while (!announced(dpy, check)) waitForEvents(dpy, end, end, pid_, nullptr);
  // The announcement comes before the manager serves map requests, and one
  // made too early is lost: a probe window is mapped until it is framed.
  Window probe = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(dpy, probe, StructureNotifyMask);
  bool managed = false;
  while (!managed) {
    XMapWindow(dpy, probe);
    auto retry = Clock::now() + std::chrono::milliseconds(200);
    while (!managed && Clock::now() < retry) waitForEvents(dpy, retry, end, pid_, &managed);
    if (!managed) XUnmapWindow(dpy, probe);
  }
  XDestroyWindow(dpy, probe);
  XSetErrorHandler(old);
  XCloseDisplay(dpy);
}

WindowManager::~WindowManager() {
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

}  // namespace gwtest
