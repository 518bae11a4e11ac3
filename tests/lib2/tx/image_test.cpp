#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xutil.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "lib2/fb/Draw.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXImage.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/XServer.h"

namespace {

// Permissions of the live shared-memory segments this process created.
std::string ourSegmentModes() {
  std::ifstream in("/proc/sysvipc/shm");
  std::string line, modes, key, id, perms, size, cpid;
  while (std::getline(in, line)) {
    std::istringstream(line) >> key >> id >> perms >> size >> cpid;
    if (cpid == std::to_string(getpid())) modes += perms + " ";
  }
  return modes;
}

struct ServerCase {
  const char* screen;
  bool shm;
  bool translates;  // with the buffer in rgb888
};

class TXImageServers : public testing::TestWithParam<ServerCase> {};

TEST_P(TXImageServers, PutShowsTheDrawnColoursOnEveryVisual) {
  // The image works on tx::dpy: point it at this case's own server.
  gwtest::XServer server(GetParam().screen, GetParam().shm);
  Display* saved = std::exchange(tx::dpy, XOpenDisplay(server.name().c_str()));
  Colormap savedMap = std::exchange(tx::cmap, DefaultColormap(tx::dpy, 0));
  {
    TXImage image(plat::Point(32, 24));
    EXPECT_EQ(image.usesShm(), GetParam().shm);
    image.setPf(fb::PixelFormat::rgb888());
    EXPECT_EQ(image.translates(), GetParam().translates);
    EXPECT_EQ(image.nativeCube() ? image.nativeCube()->numColours() : 64, 64);
    fb::fillRect(&image, plat::Rect(4, 4, 12, 12), 0xff0000);
    Window w = XCreateSimpleWindow(tx::dpy, DefaultRootWindow(tx::dpy), 0, 0, 40, 30, 0, 0, 0);
    XMapWindow(tx::dpy, w);
    // At an offset, and a rectangle reaching past the image is cut to it.
    image.put(w, DefaultGC(tx::dpy, 0), plat::Rect(0, 0, 100, 100), plat::Point(5, 3));
    for (auto [x, y, red] : {std::tuple{9, 7, 0xffff}, {20, 5, 0}}) {
      XImage* im = XGetImage(tx::dpy, w, x, y, 1, 1, AllPlanes, ZPixmap);
      XColor c{XGetPixel(im, 0, 0), 0, 0, 0, 0, 0};
      XDestroyImage(im);
      XQueryColor(tx::dpy, tx::cmap, &c);
      EXPECT_EQ(c.red, red) << x;
      EXPECT_EQ(c.green + c.blue, 0) << x;
    }
  }
  XCloseDisplay(tx::dpy);
  tx::dpy = saved;
  tx::cmap = savedMap;
}

INSTANTIATE_TEST_SUITE_P(Visuals, TXImageServers,
                         testing::Values(ServerCase{"64x48x24", true, false},
                                         ServerCase{"64x48x24", false, false},
                                         ServerCase{"64x48x16", true, true},
                                         ServerCase{"64x48x8", false, true}));

TEST(TXImage, ResizeKeepsTopLeftAndClearsTheRest) {
  tx::openDisplay(gwtest::XServer::shared().name().c_str());
  for (bool translated : {false, true}) {
    TXImage image(plat::Point(4, 4));
    if (translated) image.setPf(fb::PixelFormat::rgb565());
    fb::fillRect(&image, image.getRect(), 0x1234);
    image.setSize(plat::Point(6, 3));  // wider, and cropped below
    image.setSize(plat::Point(6, 5));
    for (auto [x, y, pixel] : {std::tuple{3, 2, 0x1234u}, {4, 0, 0u}, {0, 3, 0u}})
      EXPECT_EQ(image.getPixelAt(plat::Point(x, y)), pixel) << translated << x << y;
  }
}

TEST(TXImage, SegmentIsPrivateAndGoesWithTheImage) {
  tx::openDisplay(gwtest::XServer::shared().name().c_str());
  XSync(tx::dpy, False);  // the server lets go of the segments of images gone before
  std::string before = ourSegmentModes();
  {
    TXImage image(plat::Point(16, 16));
    image.setSize(plat::Point(40, 40));
    EXPECT_EQ(ourSegmentModes(), before + "1600 ");  // 0600, marked for removal
  }
  XSync(tx::dpy, False);
  EXPECT_EQ(ourSegmentModes(), before);
}

}  // namespace
