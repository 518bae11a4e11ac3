#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xutil.h>

#include <string>

#include "tests/support/XServer.h"
#include "tools/winshot/WindowReader.h"

namespace {

using winshot::Picture;
using winshot::WindowReader;

// A window of known pixels on a server: its background and a square of
// another colour at (3, 2), in the server's own pixel values.
struct Drawn {
  Drawn(const std::string& display, unsigned long background, unsigned long square)
      : dpy(XOpenDisplay(display.c_str())) {
    win = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 12, 8, 0, 0, background);
    XMapWindow(dpy, win);
    XSetForeground(dpy, DefaultGC(dpy, 0), square);
    XFillRectangle(dpy, win, DefaultGC(dpy, 0), 3, 2, 4, 4);
    XSync(dpy, False);
    XGetWindowAttributes(dpy, win, &attributes);
  }
  ~Drawn() { XCloseDisplay(dpy); }

  Display* dpy;
  Window win;
  XWindowAttributes attributes;
};

void expectSquare(const Picture& p, uint32_t background, uint32_t square, const char* row) {
  ASSERT_EQ(p.width, 12) << row;
  ASSERT_EQ(p.height, 8) << row;
  EXPECT_EQ(p.pixels[0], background) << row;
  EXPECT_EQ(p.pixels[2 * 12 + 3], square) << row;
  EXPECT_EQ(p.pixels[5 * 12 + 6], square) << row;
  EXPECT_EQ(p.pixels[6 * 12 + 7], background) << row;
  EXPECT_FALSE(p.uniform()) << row;
}

TEST(WindowReaderTest, ReadsTheSameColoursWithAndWithoutSharedMemory) {
  gwtest::XServer plain("1024x768x24", false);
  gwtest::XServer deep16("320x240x16", true);
  struct Row {
    const char* name;
    const std::string& display;
    unsigned long background, square;  // the server's pixel values
  } rows[] = {
      {"depth 24, shared", gwtest::XServer::shared().name(), 0x336699, 0xff8000},
      {"depth 24, sent", plain.name(), 0x336699, 0xff8000},
      // 5-6-5: the channels stretch to full scale.
      {"depth 16", deep16.name(), 0x001f, 0xf800},
  };
  const uint32_t expected[][2] = {{0x336699, 0xff8000}, {0x336699, 0xff8000}, {0x0000ff, 0xff0000}};
  for (size_t i = 0; i < std::size(rows); i++) {
    const Row& r = rows[i];
    Drawn d(r.display, r.background, r.square);
    WindowReader reader(d.dpy);
    expectSquare(reader.read(d.win, d.attributes), expected[i][0], expected[i][1], r.name);
    // Again through the segment kept from the first read.
    expectSquare(reader.read(d.win, d.attributes), expected[i][0], expected[i][1], r.name);
  }
}

TEST(WindowReaderTest, WindowsOfOtherSizesShareTheSegment) {
  Drawn small(gwtest::XServer::shared().name(), 0, 0xffffff);
  WindowReader reader(small.dpy);
  Window wide =
      XCreateSimpleWindow(small.dpy, DefaultRootWindow(small.dpy), 0, 100, 1024, 3, 0, 0, 0x00ff00);
  XMapWindow(small.dpy, wide);
  XSync(small.dpy, False);
  XWindowAttributes a;
  XGetWindowAttributes(small.dpy, wide, &a);
  Picture p = reader.read(wide, a);
  ASSERT_EQ(p.width, 1024);
  ASSERT_EQ(p.height, 3);
  EXPECT_TRUE(p.uniform());
  EXPECT_EQ(p.pixels.back(), 0x00ff00u);
  expectSquare(reader.read(small.win, small.attributes), 0, 0xffffff, "after the wide one");
}

TEST(WindowReaderTest, AWindowNotShownReadsEmpty) {
  Drawn d(gwtest::XServer::shared().name(), 0, 0xffffff);
  XUnmapWindow(d.dpy, d.win);
  XSync(d.dpy, False);
  int (*old)(Display*, XErrorEvent*) = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  EXPECT_TRUE(WindowReader(d.dpy).read(d.win, d.attributes).empty());
  XSetErrorHandler(old);
}

}  // namespace
