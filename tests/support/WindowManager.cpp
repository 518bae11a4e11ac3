#include "tests/support/WindowManager.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tests/support/StopProgram.h"

namespace gwtest {

WindowManager::WindowManager(const std::string& display) {
  Display* dpy = XOpenDisplay(display.c_str());
  if (dpy && (pid_ = fork()) == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    freopen("/dev/null", "w", stderr);  // its complaints about menus are noise
    setenv("DISPLAY", display.c_str(), 1);
    execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
    _exit(127);
  }
  // openbox announces itself before it serves map requests, and one made too
  // early is lost: a probe window is mapped until openbox frames it.
  Window probe = dpy ? XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0) : 0;
  if (dpy) XSelectInput(dpy, probe, StructureNotifyMask);
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (bool framed = false; !framed;) {
    if (!dpy || pid_ < 0 || std::chrono::steady_clock::now() > end ||
        waitpid(pid_, nullptr, WNOHANG) == pid_) {
      fprintf(stderr, "WindowManager: openbox did not come up within 30 s\n");
      _exit(2);
    }
    XMapWindow(dpy, probe);
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    for (auto retry = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
         !framed && std::chrono::steady_clock::now() < retry;) {
      if (!XPending(dpy)) poll(&p, 1, 20);
      for (XEvent ev; XPending(dpy);) framed |= (XNextEvent(dpy, &ev), ev.type == ReparentNotify);
    }
    XUnmapWindow(dpy, probe);
  }
  XCloseDisplay(dpy);
}

WindowManager::~WindowManager() { stopProgram(pid_); }

}  // namespace gwtest
