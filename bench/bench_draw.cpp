// What widget rendering costs per pixel: fills, equal-format copies, blending
// premultiplied ARGB icons onto a 32-bit window format, and glyphs through
// 1-bit masks; each beside pixman doing the same on the same memory.
// "pix/s" is pixels written per second.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <random>
#include <vector>

#include "lib2/fb/Blit.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/DrawMask.h"
#include "lib2/fb/ManagedPixelBuffer.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

void countPixels(benchmark::State& state, int64_t perIteration) {
  state.counters["pix/s"] = benchmark::Counter(double(perIteration) * double(state.iterations()),
                                               benchmark::Counter::kIsRate);
}

uint32_t* bitsOf(fb::ManagedPixelBuffer* pb) {
  return reinterpret_cast<uint32_t*>(pb->getPixelsRW(pb->getRect(), nullptr));
}

pixman_image_t* imageOf(fb::ManagedPixelBuffer* pb, pixman_format_code_t format) {
  return pixman_image_create_bits(format, pb->getWidth(), pb->getHeight(), bitsOf(pb),
                                  pb->getWidth() * 4);
}

// Premultiplied ARGB with every alpha, as anti-aliased icons have.
void fillIcon(fb::ManagedPixelBuffer* pb) {
  std::mt19937 rng(5);
  for (int y = 0; y < pb->getHeight(); y++)
    for (int x = 0; x < pb->getWidth(); x++) {
      unsigned a = rng() & 0xFF;
      auto channel = [&] { return a ? rng() % (a + 1) : 0; };
      pb->setPixelAt(plat::Point(x, y), a << 24 | channel() << 16 | channel() << 8 | channel());
    }
}

void FillRect32(benchmark::State& state) {
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  for (auto _ : state) {
    fb::fillRect(&dst, dst.getRect(), 0x336699);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kWidth) * kHeight);
}

void PixmanFill32(benchmark::State& state) {
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  for (auto _ : state) {
    pixman_fill(bitsOf(&dst), kWidth, 32, 0, 0, kWidth, kHeight, 0x336699);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kWidth) * kHeight);
}

void BlitCopy(benchmark::State& state) {
  fb::ManagedPixelBuffer src(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  for (auto _ : state) {
    fb::blit(&src, plat::Point(), &dst, dst.getRect(), fb::srcCopy);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kWidth) * kHeight);
}

void PixmanCopy(benchmark::State& state) {
  fb::ManagedPixelBuffer src(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  pixman_image_t* s = imageOf(&src, PIXMAN_x8r8g8b8);
  pixman_image_t* d = imageOf(&dst, PIXMAN_x8r8g8b8);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  countPixels(state, int64_t(kWidth) * kHeight);
}

void BlitOver(benchmark::State& state) {
  fb::ManagedPixelBuffer src(fb::PixelFormat::argb8(), plat::Point(kWidth, kHeight), nullptr);
  fillIcon(&src);
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  for (auto _ : state) {
    fb::blit(&src, plat::Point(), &dst, dst.getRect(), fb::compositeOver);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kWidth) * kHeight);
}

void PixmanOver(benchmark::State& state) {
  fb::ManagedPixelBuffer src(fb::PixelFormat::argb8(), plat::Point(kWidth, kHeight), nullptr);
  fillIcon(&src);
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, kHeight), nullptr);
  pixman_image_t* s = imageOf(&src, PIXMAN_a8r8g8b8);
  pixman_image_t* d = imageOf(&dst, PIXMAN_x8r8g8b8);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  countPixels(state, int64_t(kWidth) * kHeight);
}

// A line of text: 200 glyphs of 9 x 15 pixels, about a third of the bits set.
constexpr int kGlyphW = 9, kGlyphH = 15, kGlyphs = 200;

std::vector<unsigned char> glyphMask() {
  std::mt19937 rng(8);
  std::vector<unsigned char> mask(size_t(kGlyphH) * 2);
  for (auto& b : mask) b = uint8_t(rng() & rng());
  return mask;
}

void MaskFill(benchmark::State& state) {
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, 16), nullptr);
  std::vector<unsigned char> mask = glyphMask();
  for (auto _ : state) {
    for (int g = 0; g < kGlyphs; g++)
      fb::maskFill(&dst, plat::Rect(g * kGlyphW, 0, (g + 1) * kGlyphW, kGlyphH), 0x000000,
                   mask.data(), 2, 0);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kGlyphW) * kGlyphH * kGlyphs);
}

void PixmanMaskFill(benchmark::State& state) {
  fb::ManagedPixelBuffer dst(fb::PixelFormat::rgb888(), plat::Point(kWidth, 16), nullptr);
  std::vector<unsigned char> bytes = glyphMask();
  // pixman's 1-bit masks have 32-bit rows.
  std::vector<uint32_t> bits(kGlyphH);
  for (int y = 0; y < kGlyphH; y++)
    bits[size_t(y)] = bytes[size_t(y) * 2] | bytes[size_t(y) * 2 + 1] << 8;
  pixman_image_t* mask = pixman_image_create_bits(PIXMAN_a1, kGlyphW, kGlyphH, bits.data(), 4);
  pixman_color_t black = {0, 0, 0, 0xFFFF};
  pixman_image_t* solid = pixman_image_create_solid_fill(&black);
  pixman_image_t* d = imageOf(&dst, PIXMAN_x8r8g8b8);
  for (auto _ : state) {
    for (int g = 0; g < kGlyphs; g++)
      pixman_image_composite32(PIXMAN_OP_OVER, solid, mask, d, 0, 0, 0, 0, g * kGlyphW, 0, kGlyphW,
                               kGlyphH);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(mask);
  pixman_image_unref(solid);
  pixman_image_unref(d);
  countPixels(state, int64_t(kGlyphW) * kGlyphH * kGlyphs);
}

}  // namespace

BENCHMARK(FillRect32);
BENCHMARK(PixmanFill32);
BENCHMARK(BlitCopy);
BENCHMARK(PixmanCopy);
BENCHMARK(BlitOver);
BENCHMARK(PixmanOver);
BENCHMARK(MaskFill);
BENCHMARK(PixmanMaskFill);
