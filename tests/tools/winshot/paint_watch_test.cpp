#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "tests/support/WindowManager.h"
#include "tests/support/XServer.h"
#include "tools/winshot/PaintWatch.h"

namespace {

using winshot::PaintWatch;
using Clock = PaintWatch::Clock;

Clock::time_point soon() { return Clock::now() + std::chrono::seconds(10); }
// For waits that must come back empty.
Clock::time_point shortly() { return Clock::now() + std::chrono::milliseconds(300); }

// The watched program's side: a connection of its own on the private server.
class Program {
 public:
  explicit Program(const std::string& display) : dpy(XOpenDisplay(display.c_str())) {}
  ~Program() { XCloseDisplay(dpy); }

  // A top-level window with those names that asks for WM_DELETE_WINDOW. No
  // background: the server paints nothing on its own when it is mapped.
  Window top(const char* instance, const char* cls, const char* title, int x = 10) {
    XSetWindowAttributes a{};
    a.event_mask = StructureNotifyMask;
    Window w = XCreateWindow(dpy, DefaultRootWindow(dpy), x, 10, 60, 40, 0, CopyFromParent,
                             InputOutput, CopyFromParent, CWEventMask, &a);
    XClassHint hint{const_cast<char*>(instance), const_cast<char*>(cls)};
    XSetClassHint(dpy, w, &hint);
    XStoreName(dpy, w, title);
    Atom del = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(dpy, w, &del, 1);
    return w;
  }
  void show(Window w) {
    XMapWindow(dpy, w);
    XFlush(dpy);
  }
  void fill(Window w, int x, int y, unsigned long pixel) {
    XSetForeground(dpy, DefaultGC(dpy, 0), pixel);
    XFillRectangle(dpy, w, DefaultGC(dpy, 0), x, y, 5, 5);
    XSync(dpy, False);
  }
  // The protocol named in the first WM_PROTOCOLS message to w, or "".
  std::string protocolAsked(Window w) {
    Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    for (auto end = soon(); Clock::now() < end;) {
      for (XEvent ev; XPending(dpy);) {
        XNextEvent(dpy, &ev);
        if (ev.type == ClientMessage && ev.xclient.window == w &&
            ev.xclient.message_type == protocols) {
          char* name = XGetAtomName(dpy, Atom(ev.xclient.data.l[0]));
          std::string s = name ? name : "";
          XFree(name);
          return s;
        }
      }
      pollfd p{ConnectionNumber(dpy), POLLIN, 0};
      poll(&p, 1, int(std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count()));
    }
    return "";
  }

  Display* dpy;
};

// What the program has done has reached the watch's connection.
void settle(Program& program, PaintWatch& watch) {
  XSync(program.dpy, False);
  XSync(watch.display(), False);
}

class PaintWatchTest : public testing::Test {
 protected:
  // A window of the program's, shown and found by the watch.
  Window watched() {
    Window w = program.top("w", "W", "W");
    program.show(w);
    EXPECT_EQ(watch.waitMapped("W", soon()), w);
    return w;
  }

  const std::string& display = gwtest::XServer::shared().name();
  PaintWatch watch{display.c_str()};
  Program program{display};
};

TEST_F(PaintWatchTest, FindsTheWindowByClassInstanceOrTitle) {
  struct Row {
    const char* name;
    const char* by;
  } rows[] = {{"a-class", "class"}, {"an-instance", "instance"}, {"A Title", "title"}};
  for (const Row& r : rows) {
    Window other = program.top("other", "Other", "Other");
    Window named = program.top("an-instance", "a-class", "A Title");
    program.show(other);
    program.show(named);
    EXPECT_EQ(watch.waitMapped(r.name, soon()), named) << r.by;
    EXPECT_EQ(watch.window(), named) << r.by;
    XDestroyWindow(program.dpy, other);
    XDestroyWindow(program.dpy, named);
  }
}

TEST_F(PaintWatchTest, AWindowMappedBeforeTheWatchBeganIsNotTaken) {
  Program early(display);
  Window w = early.top("early", "Early", "Early");
  XMapWindow(early.dpy, w);
  XSync(early.dpy, False);
  PaintWatch late(display.c_str());
  EXPECT_EQ(late.waitMapped("Early", shortly()), Window(None));
}

TEST_F(PaintWatchTest, AWindowFoundOnceIsNotFoundAgain) {
  Window first = watched();
  Window second = program.top("w", "W", "W");
  program.show(second);
  EXPECT_EQ(watch.waitMapped("W", soon()), second);
  EXPECT_NE(first, second);
}

TEST_F(PaintWatchTest, FindsTheWindowAWindowManagerFramed) {
  gwtest::WindowManager wm(display);
  Window w = program.top("framed", "Framed", "Framed");
  program.show(w);
  EXPECT_EQ(watch.waitMapped("Framed", soon()), w);
}

TEST_F(PaintWatchTest, PaintsAreDrawingInTheWindowOrItsChildrenOnly) {
  Window w = program.top("w", "W", "W");
  Window child = XCreateSimpleWindow(program.dpy, w, 20, 10, 20, 20, 0, 0, 0);
  Window elsewhere = program.top("e", "E", "E", 200);
  program.show(child);
  program.show(elsewhere);
  program.show(w);
  ASSERT_EQ(watch.waitMapped("W", soon()), w);
  // The child's black background went up with the map.
  settle(program, watch);
  ASSERT_TRUE(watch.paintPending());
  Clock::time_point at;
  while (watch.paintPending()) ASSERT_TRUE(watch.waitPaint(soon(), &at));

  program.fill(elsewhere, 0, 0, 0xffffff);
  settle(program, watch);
  EXPECT_FALSE(watch.paintPending()) << "drawing in another window";

  auto before = Clock::now();
  program.fill(child, 1, 1, 0xffffff);
  EXPECT_TRUE(watch.waitPaint(soon(), &at)) << "drawing in a child";
  EXPECT_GE(at, before);
  program.fill(w, 1, 1, 0xffffff);
  EXPECT_TRUE(watch.waitPaint(soon(), &at)) << "drawing in the window itself";
}

TEST_F(PaintWatchTest, SettlesOnlyOnceSomethingBesidesTheBackgroundShows) {
  Window w = program.top("w", "W", "W");
  XSetWindowBackground(program.dpy, w, 0x000080);
  program.show(w);
  ASSERT_EQ(watch.waitMapped("W", soon()), w);
  auto quiet = std::chrono::milliseconds(50);
  EXPECT_TRUE(watch.waitSettled(quiet, shortly()).empty()) << "a bare background";

  program.fill(w, 10, 20, 0x123456);
  winshot::Picture shown = watch.waitSettled(quiet, soon());
  ASSERT_EQ(shown.width, 60);
  ASSERT_EQ(shown.height, 40);
  EXPECT_EQ(shown.pixels[20 * 60 + 10], 0x123456u);
  EXPECT_EQ(shown.pixels[24 * 60 + 14], 0x123456u);
  EXPECT_EQ(shown.pixels[25 * 60 + 15], 0x000080u);
}

TEST_F(PaintWatchTest, ClosesWithDeleteWindowAsAWindowManagerWould) {
  Window w = watched();
  watch.close();
  EXPECT_EQ(program.protocolAsked(w), "WM_DELETE_WINDOW");
}

TEST_F(PaintWatchTest, ClosesThroughTheWindowManager) {
  gwtest::WindowManager wm(display);
  // The manager offers the close the watch asks it for.
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(program.dpy, DefaultRootWindow(program.dpy),
                               XInternAtom(program.dpy, "_NET_SUPPORTED", False), 0, 4096, False,
                               XA_ATOM, &type, &format, &count, &after, &data),
            Success);
  Atom* atoms = reinterpret_cast<Atom*>(data);
  Atom netClose = XInternAtom(program.dpy, "_NET_CLOSE_WINDOW", False);
  ASSERT_NE(std::find(atoms, atoms + count, netClose), atoms + count);
  XFree(data);
  Window w = watched();
  watch.close();
  EXPECT_EQ(program.protocolAsked(w), "WM_DELETE_WINDOW");
}

TEST_F(PaintWatchTest, GoneWhenTheWindowIsDestroyed) {
  Window w = watched();
  EXPECT_FALSE(watch.waitGone(shortly()));
  XDestroyWindow(program.dpy, w);
  XFlush(program.dpy);
  EXPECT_TRUE(watch.waitGone(soon()));
}

TEST_F(PaintWatchTest, WaitsEndWhenTheStopDescriptorIsReadable) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  auto end = soon();
  EXPECT_EQ(watch.waitMapped("W", end, fds[0]), Window(None));
  Clock::time_point at;
  EXPECT_FALSE(watch.waitPaint(end, &at, fds[0]));
  EXPECT_TRUE(watch.waitSettled(std::chrono::milliseconds(50), end, fds[0]).empty());
  EXPECT_LT(Clock::now(), end);
  close(fds[0]);
  close(fds[1]);
}

}  // namespace
