// The two costs the widget tree pays on every repaint and every resize.
// Views: a FullFramePixelBuffer view per child rectangle of a window image,
// against the bare clip-and-address arithmetic a view cannot do without.
// Resizes: a ManagedPixelBuffer following a stream of widget sizes, against a
// std::vector resized the same way (it too zeroes what it adds and never
// shrinks); "allocs/1k" counts how often each takes a new block.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"

namespace {

std::vector<plat::Rect> childRects() {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pos(-100, 1900), size(1, 400);
  std::vector<plat::Rect> rects(1024);
  for (auto& r : rects) {
    int x = pos(rng), y = pos(rng);
    r = plat::Rect(x, y, x + size(rng), y + size(rng));
  }
  return rects;
}

std::vector<plat::Point> widgetSizes() {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> w(100, 400), h(20, 200);
  std::vector<plat::Point> sizes(1000);
  for (auto& s : sizes) s = plat::Point(w(rng), h(rng));
  return sizes;
}

void ViewCreation(benchmark::State& state) {
  fb::ManagedPixelBuffer image(fb::PixelFormat::rgb888(), plat::Point(1920, 1080), nullptr);
  std::vector<plat::Rect> rects = childRects();
  size_t i = 0;
  for (auto _ : state) {
    fb::FullFramePixelBuffer view(&image, rects[i++ & 1023]);
    benchmark::DoNotOptimize(view.getPixelsRW(view.getRect(), nullptr));
  }
}

// The same clip and address computation on plain values.
void PlainClipAndAddress(benchmark::State& state) {
  std::vector<uint32_t> image(size_t(1920) * 1080);
  std::vector<plat::Rect> rects = childRects();
  size_t i = 0;
  for (auto _ : state) {
    const plat::Rect& r = rects[i++ & 1023];
    int x2 = std::min(r.br.x, 1920), y2 = std::min(r.br.y, 1080);
    int x1 = std::min(std::max(r.tl.x, 0), x2), y1 = std::min(std::max(r.tl.y, 0), y2);
    uint32_t* p = x1 < x2 && y1 < y2 ? image.data() + size_t(y1) * 1920 + size_t(x1) : nullptr;
    benchmark::DoNotOptimize(p);
  }
}

void ManagedResizeChurn(benchmark::State& state) {
  std::vector<plat::Point> sizes = widgetSizes();
  int64_t allocs = 0, resizes = 0;
  for (auto _ : state) {
    fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), plat::Point(1, 1), nullptr);
    for (const plat::Point& s : sizes) {
      size_t before = pb.getCapacity();
      pb.setSize(s);
      allocs += pb.getCapacity() != before;
      benchmark::DoNotOptimize(pb.getPixelsRW(pb.getRect(), nullptr));
    }
    resizes += int64_t(sizes.size());
  }
  state.counters["allocs/1k"] = double(allocs) * 1000 / double(resizes);
}

void VectorResizeChurn(benchmark::State& state) {
  std::vector<plat::Point> sizes = widgetSizes();
  int64_t allocs = 0, resizes = 0;
  for (auto _ : state) {
    std::vector<uint32_t> v(1);
    for (const plat::Point& s : sizes) {
      size_t before = v.capacity();
      v.resize(size_t(s.x) * size_t(s.y));
      allocs += v.capacity() != before;
      benchmark::DoNotOptimize(v.data());
    }
    resizes += int64_t(sizes.size());
  }
  state.counters["allocs/1k"] = double(allocs) * 1000 / double(resizes);
}

}  // namespace

BENCHMARK(ViewCreation);
BENCHMARK(PlainClipAndAddress);
BENCHMARK(ManagedResizeChurn);
BENCHMARK(VectorResizeChurn);
