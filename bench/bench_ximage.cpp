// A full-window put of the off-screen image (640x480, depth 24): TXImage
// through shared memory and, on a server without MIT-SHM, through XPutImage,
// each beside a bare client putting the same bytes with XShmPutImage or
// XPutImage. Every put is followed by XSync, so the figure covers the server
// having drawn it.
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <benchmark/benchmark.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>

#include "lib2/fb/Draw.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXImage.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/XServer.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

struct Target {
  Display* dpy;
  Window win;
};

Target open(const char* name) {
  Display* d = XOpenDisplay(name);
  Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, kWidth, kHeight, 0, 0, 0);
  XMapWindow(d, w);
  XSync(d, False);
  return {d, w};
}

Target& withShm() {
  static Target t = [] {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    return open(nullptr);
  }();
  return t;
}

Target& withoutShm() {
  static gwtest::XServer server("1024x768x24", false);
  static Target t = open(server.name().c_str());
  return t;
}

void putOurs(benchmark::State& state, Target& t) {
  Display* saved = tx::dpy;
  tx::dpy = t.dpy;
  {
    TXImage image(plat::Point(kWidth, kHeight));
    fb::fillRect(&image, plat::Rect(0, 0, kWidth / 2, kHeight), 0x336699);
    GC gc = DefaultGC(t.dpy, 0);
    for (auto _ : state) {
      image.put(t.win, gc, image.getRect());
      XSync(t.dpy, False);
    }
    state.SetLabel(image.usesShm() ? "shm" : "plain");
  }
  tx::dpy = saved;
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

void BM_TXImageShm(benchmark::State& state) { putOurs(state, withShm()); }
void BM_TXImagePlain(benchmark::State& state) { putOurs(state, withoutShm()); }

void BM_BareXShmPutImage(benchmark::State& state) {
  Target& t = withShm();
  Visual* v = DefaultVisual(t.dpy, 0);
  XShmSegmentInfo seg{};
  XImage* im = XShmCreateImage(t.dpy, v, 24, ZPixmap, nullptr, &seg, kWidth, kHeight);
  seg.shmid = shmget(IPC_PRIVATE, size_t(im->bytes_per_line) * kHeight, IPC_CREAT | 0600);
  seg.shmaddr = im->data = static_cast<char*>(shmat(seg.shmid, nullptr, 0));
  XShmAttach(t.dpy, &seg);
  XSync(t.dpy, False);
  shmctl(seg.shmid, IPC_RMID, nullptr);
  GC gc = DefaultGC(t.dpy, 0);
  for (auto _ : state) {
    XShmPutImage(t.dpy, t.win, gc, im, 0, 0, 0, 0, kWidth, kHeight, False);
    XSync(t.dpy, False);
  }
  XShmDetach(t.dpy, &seg);
  shmdt(seg.shmaddr);
  im->data = nullptr;
  XDestroyImage(im);
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

void BM_BareXPutImage(benchmark::State& state) {
  Target& t = withoutShm();
  XImage* im =
      XCreateImage(t.dpy, DefaultVisual(t.dpy, 0), 24, ZPixmap, 0, nullptr, kWidth, kHeight, 32, 0);
  im->data = static_cast<char*>(std::calloc(size_t(im->bytes_per_line), kHeight));
  GC gc = DefaultGC(t.dpy, 0);
  for (auto _ : state) {
    XPutImage(t.dpy, t.win, gc, im, 0, 0, 0, 0, kWidth, kHeight);
    XSync(t.dpy, False);
  }
  XDestroyImage(im);
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}

BENCHMARK(BM_TXImageShm);
BENCHMARK(BM_BareXShmPutImage);
BENCHMARK(BM_TXImagePlain);
BENCHMARK(BM_BareXPutImage);

}  // namespace
