// Translating a window image to the display's format, per pixel: 32 to 16
// bits, 32 bits to an 8-bit colour cube, and 8-bit colour-mapped to 32 bits.
// Each beside pixman's SRC composite between the same formats and beside the
// naive conversion through RGBA that the tables replace; 32 to 16 bits, which
// goes without tables, also beside the channel tables it would otherwise
// take; and the cost of building the largest table (65536 entries) beside
// converting as many pixels naively. "pix/s" is pixels translated per second.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "lib2/fb/TransPixelBuffer.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
const fb::ColourCube kCube(6, 6, 6);

void countPixels(benchmark::State& state, int64_t perIteration) {
  state.counters["pix/s"] = benchmark::Counter(double(perIteration) * double(state.iterations()),
                                               benchmark::Counter::kIsRate);
}

std::unique_ptr<fb::ManagedPixelBuffer> source(const fb::PixelFormat& pf) {
  auto pb = std::make_unique<fb::ManagedPixelBuffer>(pf, plat::Point(kWidth, kHeight),
                                                     pf.trueColour ? nullptr : &kCube);
  std::mt19937 rng(4);
  for (int y = 0; y < kHeight; y++)
    for (int x = 0; x < kWidth; x++)
      pb->setPixelAt(plat::Point(x, y), pf.trueColour ? rng() & 0xFFFFFF : rng() % 216);
  return pb;
}

const fb::PixelFormat& formatOf(int route) {
  static const fb::PixelFormat pal8 = fb::PixelFormat::pal8();
  return route == 0 ? fb::PixelFormat::rgb565() : route == 1 ? pal8 : fb::PixelFormat::rgb888();
}

// Route 0: 32 to 16; 1: 32 to 8 (cube); 2: 8 to 32.
const fb::PixelFormat& inputOf(int route) {
  static const fb::PixelFormat pal8 = fb::PixelFormat::pal8();
  return route == 2 ? pal8 : fb::PixelFormat::rgb888();
}

void Translate(benchmark::State& state) {
  int route = int(state.range(0));
  auto src = source(inputOf(route));
  fb::TransPixelBuffer tpb(false);
  tpb.setSource(src.get());
  tpb.setPf(formatOf(route));
  std::vector<uint32_t> out(size_t(kWidth) * kHeight);
  for (auto _ : state) {
    tpb.getImage(out.data(), src->getRect(), 0);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kWidth) * kHeight);
}

// The three look-ups a pixel of the channel tables, for 32 to 16 bits.
void ChannelTables(benchmark::State& state) {
  const fb::PixelFormat& in = fb::PixelFormat::rgb888();
  const fb::PixelFormat& outPF = fb::PixelFormat::rgb565();
  auto src = source(in);
  fb::TransTable table;
  fb::initRGBTCtoTCFns[1](&table, in, outPF, nullptr);
  std::vector<uint16_t> out(size_t(kWidth) * kHeight);
  int stride = 0;
  const unsigned char* pixels = src->getPixelsR(src->getRect(), &stride);
  for (auto _ : state) {
    fb::transRGBFns[2][1](table.data, in, pixels, stride, outPF, out.data(), kWidth, kWidth,
                          kHeight);
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kWidth) * kHeight);
}

void NaiveConversion(benchmark::State& state) {
  int route = int(state.range(0));
  auto src = source(inputOf(route));
  const fb::PixelFormat& in = inputOf(route);
  const fb::PixelFormat& outPF = formatOf(route);
  std::vector<uint32_t> out(size_t(kWidth) * kHeight);
  const unsigned char* pixels = src->getPixelsR(src->getRect(), nullptr);
  for (auto _ : state) {
    const unsigned char* p = pixels;
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    for (int i = 0; i < kWidth * kHeight; i++) {
      fb::ColourWithAlpha c;
      unsigned v = in.bpp == 8 ? fb::readPixel<8>(&p) : fb::readPixel<32>(&p);
      in.pixelToRgba8(v, &c, &kCube);
      unsigned w = outPF.rgba8ToPixel(c, &kCube);
      memcpy(o, &w, outPF.bpp / 8);
      o += outPF.bpp / 8;
    }
    benchmark::ClobberMemory();
  }
  countPixels(state, int64_t(kWidth) * kHeight);
}

void PixmanSrc(benchmark::State& state) {
  int route = int(state.range(0));
  auto src = source(inputOf(route));
  static pixman_indexed_t palette;
  for (int i = 0; i < 256; i++) {
    fb::Colour c;
    kCube.pixelToRgb888(unsigned(i), &c);
    palette.rgba[i] = 0xFF000000u | unsigned(c.r) << 16 | unsigned(c.g) << 8 | unsigned(c.b);
  }
  for (int i = 0; i < 32768; i++)
    palette.ent[i] = uint8_t(kCube.rgb888ToPixel(
        fb::Colour{(i >> 10 & 31) * 255 / 31, (i >> 5 & 31) * 255 / 31, (i & 31) * 255 / 31}));
  pixman_format_code_t inFormat = route == 2 ? PIXMAN_c8 : PIXMAN_x8r8g8b8;
  pixman_format_code_t outFormat = route == 0   ? PIXMAN_r5g6b5
                                   : route == 1 ? PIXMAN_c8
                                                : PIXMAN_x8r8g8b8;
  int inBytes = route == 2 ? 1 : 4, outBytes = route == 0 ? 2 : route == 1 ? 1 : 4;
  std::vector<uint32_t> out(size_t(kWidth) * kHeight);
  pixman_image_t* s = pixman_image_create_bits(
      inFormat, kWidth, kHeight,
      reinterpret_cast<uint32_t*>(src->getPixelsRW(src->getRect(), nullptr)), kWidth * inBytes);
  pixman_image_t* d =
      pixman_image_create_bits(outFormat, kWidth, kHeight, out.data(), kWidth * outBytes);
  pixman_image_set_indexed(s, &palette);
  pixman_image_set_indexed(d, &palette);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  countPixels(state, int64_t(kWidth) * kHeight);
}

// The 16-bit whole-pixel table, built for either of two output formats in
// turn. (Switching a translating buffer between them no longer builds it:
// these pairs go without tables.)
void RebuildTable16(benchmark::State& state) {
  fb::TransTable table;
  bool flip = false;
  for (auto _ : state) {
    fb::initSimpleFns[3](&table, fb::PixelFormat::rgb565(), nullptr,
                         (flip = !flip) ? fb::PixelFormat::rgb888() : fb::PixelFormat::bgr888(),
                         nullptr, nullptr);
    benchmark::DoNotOptimize(table.data);
  }
  countPixels(state, 65536);
}

void NaiveConvert65536(benchmark::State& state) {
  std::vector<uint32_t> out(65536);
  for (auto _ : state) {
    for (unsigned i = 0; i < 65536; i++) {
      fb::ColourWithAlpha c;
      fb::PixelFormat::rgb565().pixelToRgba8(i, &c, nullptr);
      out[i] = fb::PixelFormat::rgb888().rgba8ToPixel(c, nullptr);
    }
    benchmark::ClobberMemory();
  }
  countPixels(state, 65536);
}

}  // namespace

BENCHMARK(Translate)->DenseRange(0, 2)->ArgName("route");
BENCHMARK(PixmanSrc)->DenseRange(0, 2)->ArgName("route");
BENCHMARK(ChannelTables);
BENCHMARK(NaiveConversion)->DenseRange(0, 2)->ArgName("route");
BENCHMARK(RebuildTable16);
BENCHMARK(NaiveConvert65536);
