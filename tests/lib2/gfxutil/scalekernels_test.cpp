#include "lib2/gfxutil/ScaleKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "lib2/gfxutil/Scaler.h"

using fb::PixelFormat;
using namespace gfxutil;
using plat::Point;

namespace {

const PixelFormat bgr233;  // 8-bit true colour
const PixelFormat rgb24(24, 24, false, true, 255, 255, 255, 16, 8, 0);
const PixelFormat argb4444(16, 16, false, true, 15, 15, 15, 8, 4, 0, 12, 15);
const PixelFormat argb24(24, 24, false, true, 63, 63, 63, 12, 6, 0, 18, 63);
const PixelFormat rgb888be(32, 24, true, true, 255, 255, 255, 16, 8, 0);
const PixelFormat rgb101010(32, 30, false, true, 1023, 1023, 1023, 20, 10, 0);
const PixelFormat argb2101010(32, 32, false, true, 1023, 1023, 1023, 20, 10, 0, 30, 3);

struct Image {
  PixelFormat pf;
  Point size;
  std::vector<unsigned char> bytes;
  Image(const PixelFormat& f, Point sz, unsigned seed = 0)
      : pf(f), size(sz), bytes(size_t(sz.x) * sz.y * f.bpp / 8) {
    std::mt19937 rng(seed);
    for (unsigned char& b : bytes) b = seed ? uint8_t(rng()) : 0;
  }
  unsigned at(int x, int y) const {  // host order; least significant byte first at 24 bits
    unsigned v = 0;
    memcpy(&v, &bytes[(size_t(y) * size.x + x) * (pf.bpp / 8)], pf.bpp / 8);
    return v;
  }
};

// Scales the whole of src; the kernel must leave the accumulator row clean for the next call.
Image scaled(ScaleFn fn, const Image& src, const PixelFormat& dstPf, Point dstSz) {
  Image dst(dstPf, dstSz);
  std::vector<fb::ColourWithAlpha> acc(size_t(dstSz.x));
  fn(dstSz, dst.bytes.data(), dstSz.x, dstPf, nullptr, src.bytes.data(), src.size.x, src.pf,
     nullptr, Point(), Point(), ScalerCoords{src.size, dstSz}, acc.data());
  EXPECT_EQ(acc, std::vector<fb::ColourWithAlpha>(acc.size()));
  return dst;
}

// Channel i (red, green, blue, alpha) of a raw value, byte order applied.
unsigned channel(const PixelFormat& pf, unsigned v, int i) {
  if (pf.bigEndian && pf.bpp == 16) v = __builtin_bswap16(uint16_t(v));
  const int shift[4] = {pf.redShift, pf.greenShift, pf.blueShift, pf.alphaShift};
  const int max[4] = {pf.redMax, pf.greenMax, pf.blueMax, pf.alphaMax};
  return (v >> shift[i]) & unsigned(max[i]);
}

template <class Value>
double areaMean(Point srcSz, Point dstSz, int dx, int dy, Value value) {
  auto overlap = [](long i, long d, long n, long m) {
    return double(std::max(0L, std::min((i + 1) * n, (d + 1) * m) - std::max(i * n, d * m)));
  };
  double sum = 0;
  for (int y = 0; y < srcSz.y; y++)
    for (int x = 0; x < srcSz.x; x++)
      sum += value(x, y) * overlap(x, dx, dstSz.x, srcSz.x) * overlap(y, dy, dstSz.y, srcSz.y);
  return sum / (double(srcSz.x) * srcSz.y);
}

struct FamilyCase {
  PixelFormat src, dst;
  ScaleFn kernel;
};

// The first `measured` are scaled; the rest: pairs no kernel fits, those left
// to the general path, and 10-bit channels whose raw products would overflow.
const FamilyCase families[] = {
    {PixelFormat::rgb565(), PixelFormat::bgr888(), scale16to32},
    {bgr233, rgb24, scale8to24},
    {PixelFormat::rgb888(), {16, 16, true, true, 31, 63, 31, 11, 5, 0}, scale32to16},
    {{24, 24, false, true, 255, 255, 255, 0, 8, 16}, bgr233, scale24to8},
    {PixelFormat::bgr888(), PixelFormat::rgb888(), scale32to32},
    {bgr233, PixelFormat::rgb565(), scaleNE8to16},
    {bgr233, PixelFormat::rgb888(), scaleNE8to32},
    {bgr233, bgr233, scaleTcNE8to8},
    {PixelFormat::rgb555(), PixelFormat::rgb555(), scaleTcNE16to16},
    {rgb24, rgb24, scaleTcNE24to24},
    {PixelFormat::bgr888(), PixelFormat::bgr888(), scaleTcNE32to32},
    {argb4444, argb4444, scaleAlphaTcNE16to16},
    {PixelFormat::argb8(), PixelFormat::argb8(), scaleAlphaTcNE32to32},
    {PixelFormat::rgb222(), PixelFormat::rgb222(), scaleRGB222NE8to8},
    {PixelFormat::rgb565(), PixelFormat::rgb565(), scaleRGB565NE16to16},
    {PixelFormat::rgb888(), PixelFormat::rgb888(), scaleRGB888NE32to32},
    {argb24, argb24, nullptr},
    {PixelFormat::rgb888(), PixelFormat::argb8(), nullptr},
    {rgb888be, rgb888be, scale32to32},
    {PixelFormat::pal8(), PixelFormat::pal8(), scale8to8},
    {rgb101010, rgb101010, scale32to32},
    {argb2101010, argb2101010, nullptr}};
const int measured = 16;

const Point ratios[][2] = {
    {{9, 6}, {6, 4}}, {{48, 48}, {24, 24}}, {{5, 5}, {8, 8}}, {{13, 9}, {7, 11}}};

// Within one step of the exact mean rounded to the destination's range.
TEST(ScaleKernels, EveryFamilyIsChosenAndMatchesTheExactAreaMean) {
  unsigned seed = 1;
  for (const FamilyCase& f : families) {
    ASSERT_EQ(chooseScaleFn(f.src, f.dst), f.kernel) << &f - families;
    if (&f - families >= measured) continue;
    bool raw = f.src.equal(f.dst);  // raw channels averaged, or 8-bit colour
    for (const auto& [srcSz, dstSz] : ratios) {
      SCOPED_TRACE(testing::Message() << "family " << &f - families << ", " << srcSz.x << "x"
                                      << srcSz.y << " to " << dstSz.x << "x" << dstSz.y);
      Image src(f.src, srcSz, seed++);
      Image dst = scaled(f.kernel, src, f.dst, dstSz);
      for (int i = 0; i < (raw && f.dst.alphaMax ? 4 : 3); i++) {
        auto value = [&](int x, int y) -> double {
          if (raw) return channel(f.src, src.at(x, y), i);
          fb::ColourWithAlpha c;
          f.src.pixelToRgba8(src.at(x, y), &c, nullptr);
          return i == 0 ? c.r : i == 1 ? c.g : c.b;
        };
        for (int dy = 0; dy < dstSz.y; dy++)
          for (int dx = 0; dx < dstSz.x; dx++) {
            double want =
                areaMean(srcSz, dstSz, dx, dy, value) * (raw ? 1 : channel(f.dst, ~0u, i) / 255.0);
            ASSERT_LE(std::labs(long(channel(f.dst, dst.at(dx, dy), i)) - std::lround(want)), 1)
                << "pixel " << dx << "," << dy << " channel " << i << " exact " << want;
          }
      }
      EXPECT_TRUE(f.kernel != scaleRGB888NE32to32 || dst.at(0, 0) >> 24 == 0);
    }
  }
}

}  // namespace
