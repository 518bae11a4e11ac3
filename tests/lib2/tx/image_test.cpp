#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xutil.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib2/fb/Draw.h"
#include "lib2/tx/TXImage.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/XServer.h"

namespace {

// The image code works on tx::dpy: point it at a server of the case's own for
// the length of a test.
class OtherDisplay {
 public:
  OtherDisplay(const char* screen, bool shm) : server_(screen, shm) {
    savedDpy_ = tx::dpy;
    savedCmap_ = tx::cmap;
    tx::dpy = XOpenDisplay(server_.name().c_str());
    tx::cmap = DefaultColormap(tx::dpy, DefaultScreen(tx::dpy));
  }
  ~OtherDisplay() {
    XCloseDisplay(tx::dpy);
    tx::dpy = savedDpy_;
    tx::cmap = savedCmap_;
  }

 private:
  gwtest::XServer server_;
  Display* savedDpy_;
  Colormap savedCmap_;
};

Window mappedWindow(int w, int h) {
  Window win = XCreateSimpleWindow(tx::dpy, DefaultRootWindow(tx::dpy), 0, 0, w, h, 0, 0, 0);
  XMapWindow(tx::dpy, win);
  XSync(tx::dpy, False);
  return win;
}

// The colour the server shows at (x, y) of w, 8 bits a channel.
fb::Colour shownAt(Window w, int x, int y) {
  XImage* im = XGetImage(tx::dpy, w, x, y, 1, 1, AllPlanes, ZPixmap);
  XColor c;
  c.pixel = XGetPixel(im, 0, 0);
  XDestroyImage(im);
  XQueryColor(tx::dpy, tx::cmap, &c);
  return fb::Colour{c.red >> 8, c.green >> 8, c.blue >> 8};
}

// Permissions of the live shared-memory segments this process created.
std::string ourSegmentModes() {
  std::ifstream in("/proc/sysvipc/shm");
  std::string line, modes;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string key, id, perms, size, cpid;
    fields >> key >> id >> perms >> size >> cpid;
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
  OtherDisplay display(GetParam().screen, GetParam().shm);
  TXImage image(plat::Point(32, 24));
  EXPECT_EQ(image.usesShm(), GetParam().shm);
  image.setPf(fb::PixelFormat::rgb888());
  EXPECT_EQ(image.translates(), GetParam().translates);
  fb::fillRect(&image, plat::Rect(4, 4, 12, 12), 0xff0000);
  fb::fillRect(&image, plat::Rect(20, 10, 30, 20), 0x0000ff);
  Window w = mappedWindow(40, 30);
  // Drawn at an offset, and a rectangle reaching past the image is cut to it.
  image.put(w, DefaultGC(tx::dpy, 0), plat::Rect(0, 0, 100, 100), plat::Point(5, 3));
  EXPECT_EQ(shownAt(w, 9, 7), (fb::Colour{255, 0, 0}));
  EXPECT_EQ(shownAt(w, 26, 15), (fb::Colour{0, 0, 255}));
  EXPECT_EQ(shownAt(w, 20, 5), (fb::Colour{0, 0, 0}));
  if (image.nativeCube()) {
    EXPECT_EQ(image.nativeCube()->numColours(), 64);
  }
}

INSTANTIATE_TEST_SUITE_P(Visuals, TXImageServers,
                         testing::Values(ServerCase{"64x48x24", true, false},
                                         ServerCase{"64x48x24", false, false},
                                         ServerCase{"64x48x16", true, true},
                                         ServerCase{"64x48x8", false, true}));

class TXImageTest : public testing::Test {
 protected:
  void SetUp() override {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
  }
};

TEST_F(TXImageTest, SegmentIsPrivateAndGoesWithTheImage) {
  std::string before = ourSegmentModes();
  {
    TXImage image(plat::Point(16, 16));
    ASSERT_TRUE(image.usesShm());
    EXPECT_EQ(ourSegmentModes(), before + "1600 ");  // 0600, marked for removal
    image.setSize(plat::Point(40, 40));
    EXPECT_EQ(ourSegmentModes(), before + "1600 ");
  }
  XSync(tx::dpy, False);
  EXPECT_EQ(ourSegmentModes(), before);
}

TEST_F(TXImageTest, ResizeKeepsTopLeftAndClearsTheRest) {
  for (bool translated : {false, true}) {
    TXImage image(plat::Point(4, 4));
    if (translated) image.setPf(fb::PixelFormat::rgb565());
    fb::fillRect(&image, image.getRect(), 0x1234);
    image.setSize(plat::Point(6, 3));  // wider, and cropped below
    EXPECT_EQ(image.getPixelAt(plat::Point(3, 2)), 0x1234u) << translated;
    EXPECT_EQ(image.getPixelAt(plat::Point(4, 0)), 0u) << translated;
    image.setSize(plat::Point(6, 5));
    EXPECT_EQ(image.getPixelAt(plat::Point(0, 3)), 0u) << translated;
    EXPECT_EQ(image.getPixelAt(plat::Point(5, 2)), 0u) << translated;
  }
}

TEST_F(TXImageTest, DepthWithoutUsablePixmapFormatIsRefused) {
  try {
    TXImage image(plat::Point(4, 4), nullptr, 7);
    FAIL() << "no exception";
  } catch (plat::Exception& e) {
    EXPECT_STREQ(e.str(), "Error: couldn't find suitable pixmap format");
  }
}

}  // namespace
