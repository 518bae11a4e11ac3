// Region arithmetic beside pixman's 32-bit regions, on the same rectangles:
// building a dirty area from many small invalidations, and cutting one
// many-rectangle region by another.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <random>
#include <vector>

#include "lib1/plat/Geometry.h"
#include "lib2/fb/Region.h"

namespace {

// n rectangles of up to 120 pixels a side, within span x span pixels.
std::vector<plat::Rect> randomRects(int n, unsigned seed, int span) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> x(0, span - 1), y(0, span - 1), size(1, 120);
  std::vector<plat::Rect> v;
  for (int i = 0; i < n; i++) {
    int left = x(rng), top = y(rng);
    v.emplace_back(left, top, left + size(rng), top + size(rng));
  }
  return v;
}

fb::Region ours(const std::vector<plat::Rect>& rs) {
  fb::Region r;
  r.unionOfRects(rs);
  return r;
}

struct PixmanRegion {
  explicit PixmanRegion(const std::vector<plat::Rect>& rs) {
    pixman_region32_init(&r);
    for (const plat::Rect& b : rs)
      pixman_region32_union_rect(&r, &r, b.tl.x, b.tl.y, b.width(), b.height());
  }
  ~PixmanRegion() { pixman_region32_fini(&r); }
  pixman_region32_t r;
};

void BM_UnionOf1000Rects_Region(benchmark::State& state) {
  std::vector<plat::Rect> rs = randomRects(1000, 1, 1920);
  fb::Region r;
  for (auto _ : state) {
    r.unionOfRects(rs);
    benchmark::DoNotOptimize(r.data);
  }
  state.counters["rects"] = double(miRegion::numRects(&r));
}

void BM_UnionOf1000Rects_Pixman(benchmark::State& state) {
  std::vector<plat::Rect> rs = randomRects(1000, 1, 1920);
  int n = 0;
  for (auto _ : state) {
    PixmanRegion r(rs);
    n = pixman_region32_n_rects(&r.r);
    benchmark::DoNotOptimize(n);
  }
  state.counters["rects"] = n;
}

// Operands of about a hundred rectangles each.
const std::vector<plat::Rect>& left() {
  static std::vector<plat::Rect> v = randomRects(28, 2, 400);
  return v;
}
const std::vector<plat::Rect>& right() {
  static std::vector<plat::Rect> v = randomRects(28, 3, 400);
  return v;
}

template <void (fb::Region::*op)(const fb::Region&, const fb::Region&)>
void regionOp(benchmark::State& state) {
  fb::Region a = ours(left()), b = ours(right()), r;
  for (auto _ : state) {
    (r.*op)(a, b);
    benchmark::DoNotOptimize(r.data);
  }
  state.counters["in"] = double(miRegion::numRects(&a) + miRegion::numRects(&b)) / 2;
  state.counters["out"] = double(miRegion::numRects(&r));
}

template <pixman_bool_t (*op)(pixman_region32_t*, const pixman_region32_t*,
                              const pixman_region32_t*)>
void pixmanOp(benchmark::State& state) {
  PixmanRegion a(left()), b(right());
  pixman_region32_t r;
  pixman_region32_init(&r);
  for (auto _ : state) {
    op(&r, &a.r, &b.r);
    benchmark::DoNotOptimize(&r);
  }
  state.counters["in"] = double(pixman_region32_n_rects(&a.r) + pixman_region32_n_rects(&b.r)) / 2;
  state.counters["out"] = pixman_region32_n_rects(&r);
  pixman_region32_fini(&r);
}

void BM_Intersect100_Region(benchmark::State& s) { regionOp<&fb::Region::assign_intersect>(s); }
void BM_Intersect100_Pixman(benchmark::State& s) { pixmanOp<&pixman_region32_intersect>(s); }
void BM_Subtract100_Region(benchmark::State& s) { regionOp<&fb::Region::assign_subtract>(s); }
void BM_Subtract100_Pixman(benchmark::State& s) { pixmanOp<&pixman_region32_subtract>(s); }

}  // namespace

BENCHMARK(BM_UnionOf1000Rects_Region);
BENCHMARK(BM_UnionOf1000Rects_Pixman);
BENCHMARK(BM_Intersect100_Region);
BENCHMARK(BM_Intersect100_Pixman);
BENCHMARK(BM_Subtract100_Region);
BENCHMARK(BM_Subtract100_Pixman);
