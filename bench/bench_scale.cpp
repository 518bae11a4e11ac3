// Area-averaging downscales of premultiplied ARGB images, 2:1 and 5:8, at an
// icon's size (48x48) and a screen's (1024x768): the scaler beside
// stb_image_resize's box filter and pixman's separable box convolution on the
// same pixels in the same run. "Mpix" counts source pixels (millions a second).
#include <benchmark/benchmark.h>
#include <pixman.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include <cstdint>
#include <random>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/Scaler.h"

namespace {

struct Job {
  int srcW, srcH, dstW, dstH;
};

// Arguments: source width, source height, numerator and denominator of the
// scale.
Job jobOf(const benchmark::State& state) {
  int w = int(state.range(0)), h = int(state.range(1));
  int num = int(state.range(2)), den = int(state.range(3));
  return Job{w, h, w * num / den, h * num / den};
}

std::vector<uint32_t> randomArgb(int w, int h) {
  std::vector<uint32_t> px(size_t(w) * h);
  std::mt19937 rng(7);
  for (uint32_t& p : px) {
    uint32_t a = rng() & 0xff;
    uint32_t r = (rng() & 0xff) * a / 255, g = (rng() & 0xff) * a / 255,
             b = (rng() & 0xff) * a / 255;
    p = a << 24 | r << 16 | g << 8 | b;
  }
  return px;
}

void countPixels(benchmark::State& state, const Job& job) {
  state.counters["Mpix"] = benchmark::Counter(
      double(job.srcW) * job.srcH * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Scaler(benchmark::State& state) {
  Job job = jobOf(state);
  const fb::PixelFormat& pf = fb::PixelFormat::argb8();
  fb::ManagedPixelBuffer src(pf, plat::Point(job.srcW, job.srcH), nullptr);
  std::vector<uint32_t> px = randomArgb(job.srcW, job.srcH);
  memcpy(src.getPixelsRW(src.getRect(), nullptr), px.data(), px.size() * 4);
  gfxutil::Scaler scaler;
  scaler.setSourcePb(&src, true);
  scaler.setDstSz(plat::Point(job.dstW, job.dstH));
  std::vector<uint32_t> out(size_t(job.dstW) * job.dstH);
  for (auto _ : state) {
    scaler.getImage(out.data(), plat::Rect(0, 0, job.dstW, job.dstH), 0);
    benchmark::DoNotOptimize(out.data());
  }
  countPixels(state, job);
}

void BM_StbBox(benchmark::State& state) {
  Job job = jobOf(state);
  std::vector<uint32_t> px = randomArgb(job.srcW, job.srcH);
  std::vector<uint32_t> out(size_t(job.dstW) * job.dstH);
  for (auto _ : state) {
    stbir_resize_uint8_generic(reinterpret_cast<const unsigned char*>(px.data()), job.srcW,
                               job.srcH, 0, reinterpret_cast<unsigned char*>(out.data()), job.dstW,
                               job.dstH, 0, 4, 3, STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP,
                               STBIR_FILTER_BOX, STBIR_COLORSPACE_LINEAR, nullptr);
    benchmark::DoNotOptimize(out.data());
  }
  countPixels(state, job);
}

void BM_PixmanBox(benchmark::State& state) {
  Job job = jobOf(state);
  std::vector<uint32_t> px = randomArgb(job.srcW, job.srcH);
  std::vector<uint32_t> out(size_t(job.dstW) * job.dstH);
  pixman_image_t* src =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, job.srcW, job.srcH, px.data(), job.srcW * 4);
  pixman_image_t* dst =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, job.dstW, job.dstH, out.data(), job.dstW * 4);
  pixman_fixed_t sx = pixman_double_to_fixed(double(job.srcW) / job.dstW);
  pixman_fixed_t sy = pixman_double_to_fixed(double(job.srcH) / job.dstH);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, sx, sy);
  pixman_image_set_transform(src, &t);
  int n = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &n, sx, sy, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 1, 1);
  pixman_image_set_filter(src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
  free(params);
  pixman_image_set_repeat(src, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, job.dstW,
                             job.dstH);
    benchmark::DoNotOptimize(out.data());
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
  countPixels(state, job);
}

void jobs(benchmark::internal::Benchmark* b) {
  for (auto [w, h] : {std::pair{48, 48}, std::pair{1024, 768}})
    for (auto [num, den] : {std::pair{1, 2}, std::pair{5, 8}}) b->Args({w, h, num, den});
}

BENCHMARK(BM_Scaler)->Apply(jobs);
BENCHMARK(BM_StbBox)->Apply(jobs);
BENCHMARK(BM_PixmanBox)->Apply(jobs);

}  // namespace
