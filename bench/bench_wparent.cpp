// Repainting a widget host window: an 800x600 window with 50 labels.
// Invalidate-to-screen latency: every label invalidated, then the render
// timer's pass (driven by a clock that moves on command, so the fixed 10 ms
// delay is left out) renders the 50 rectangles and puts them through shared
// memory; beside it, a bare client putting the same 50 rectangles with
// XShmPutImage. Each iteration ends with XSync: the server has drawn it.
// Render passes per 1,000 invalidations, one per millisecond: the host
// gathers them into one pass per 10 ms; beside it, a window painting at every
// invalidation.
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <benchmark/benchmark.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <memory>
#include <string>
#include <vector>

#include "lib2/fb/FullFramePixelBuffer.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWParent.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WLabel.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/XServer.h"

namespace {

constexpr int kWidth = 800, kHeight = 600, kLabels = 50;

plat::Rect labelRect(int i) {
  int x = 10 + (i % 5) * 156, y = 10 + (i / 5) * 56;
  return plat::Rect(x, y, x + 150, y + 20);
}

class CountingCanvas : public wvw::WCanvas {
 public:
  void render(fb::WritablePixelBuffer* pb) override {
    renders++;
    wvw::WCanvas::render(pb);
  }
  long renders = 0;
};

// The window shown and painted once, its timers on a driven clock.
struct Scene {
  Scene() {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    clock = std::make_unique<gwtest::DrivenClock>();
    canvas.setSize(plat::Point(kWidth, kHeight));
    for (int i = 0; i < kLabels; i++) {
      labels.push_back(
          std::make_unique<wvw::WLabel>(("Label " + std::to_string(i)).c_str(), plat::ALIGN_LEFT));
      canvas.add(labels.back().get(), labelRect(i), nullptr);
    }
    host = std::make_unique<tx::TXWParent>(&canvas, nullptr, true);
    host->resizeToFit();
    host->show(true);
    for (int i = 0; i < 20; i++) {
      XSync(tx::dpy, False);
      tx::handleXEvents();
    }
  }
  std::unique_ptr<gwtest::DrivenClock> clock;
  CountingCanvas canvas;
  std::vector<std::unique_ptr<wvw::WLabel>> labels;
  std::unique_ptr<tx::TXWParent> host;
};

Scene& scene() {
  static Scene* s = new Scene;  // lives to the end: the run has one window
  return *s;
}

void BM_InvalidateToScreen50Labels(benchmark::State& state) {
  Scene& s = scene();
  for (auto _ : state) {
    for (auto& label : s.labels) label->invalidate();
    s.clock->advance(10);
    XSync(tx::dpy, False);
  }
  state.SetItemsProcessed(state.iterations() * kLabels);
}

void BM_BareXShmPut50Rects(benchmark::State& state) {
  scene();
  Display* d = XOpenDisplay(nullptr);
  Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, kWidth, kHeight, 0, 0, 0);
  XMapWindow(d, w);
  XShmSegmentInfo seg{};
  XImage* im = XShmCreateImage(d, DefaultVisual(d, 0), 24, ZPixmap, nullptr, &seg, kWidth, kHeight);
  seg.shmid = shmget(IPC_PRIVATE, size_t(im->bytes_per_line) * kHeight, IPC_CREAT | 0600);
  seg.shmaddr = im->data = static_cast<char*>(shmat(seg.shmid, nullptr, 0));
  XShmAttach(d, &seg);
  XSync(d, False);
  shmctl(seg.shmid, IPC_RMID, nullptr);
  GC gc = DefaultGC(d, 0);
  for (auto _ : state) {
    for (int i = 0; i < kLabels; i++) {
      plat::Rect r = labelRect(i);
      XShmPutImage(d, w, gc, im, r.tl.x, r.tl.y, r.tl.x, r.tl.y, r.width(), r.height(), False);
    }
    XSync(d, False);
  }
  XShmDetach(d, &seg);
  shmdt(seg.shmaddr);
  im->data = nullptr;
  XDestroyImage(im);
  XCloseDisplay(d);
  state.SetItemsProcessed(state.iterations() * kLabels);
}

void BM_HostPassesPer1000Invalidations(benchmark::State& state) {
  Scene& s = scene();
  long passes = 0;
  for (auto _ : state) {
    long before = s.canvas.renders;
    for (int i = 0; i < 1000; i++) {
      s.labels[0]->invalidate();
      s.clock->advance(1);
    }
    s.clock->advance(10);
    XSync(tx::dpy, False);
    passes += s.canvas.renders - before;
  }
  state.counters["passes"] = double(passes) / double(state.iterations());
}

// The peer paints the label's rectangle the moment it is invalidated.
void BM_PaintPerInvalidation(benchmark::State& state) {
  Scene& s = scene();
  TXImage image(plat::Point(kWidth, kHeight));
  plat::Rect r = labelRect(0);
  long passes = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; i++) {
      fb::FullFramePixelBuffer view(&image, r);
      view.setOffset(r.tl);
      s.canvas.render(&view);
      image.put(s.host->win(), tx::defaultGC, r);
      passes++;
    }
    XSync(tx::dpy, False);
  }
  state.counters["passes"] = double(passes) / double(state.iterations());
}

BENCHMARK(BM_InvalidateToScreen50Labels);
BENCHMARK(BM_BareXShmPut50Rects);
BENCHMARK(BM_HostPassesPer1000Invalidations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPerInvalidation)->Unit(benchmark::kMillisecond);

}  // namespace
