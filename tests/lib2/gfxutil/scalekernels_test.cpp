#include "lib2/gfxutil/ScaleKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "lib2/gfxutil/Scaler.h"

using fb::PixelFormat;
using gfxutil::ScaleFn;
using gfxutil::ScalerCoords;
using plat::Point;

namespace {

const PixelFormat bgr233;  // 8-bit true colour
const PixelFormat rgb24(24, 24, false, true, 255, 255, 255, 16, 8, 0);
const PixelFormat bgr24(24, 24, false, true, 255, 255, 255, 0, 8, 16);
const PixelFormat rgb565be(16, 16, true, true, 31, 63, 31, 11, 5, 0);
const PixelFormat argb4444(16, 16, false, true, 15, 15, 15, 8, 4, 0, 12, 15);

struct Image {
  PixelFormat pf;
  Point size;
  std::vector<unsigned char> bytes;
  Image(const PixelFormat& f, Point sz) : pf(f), size(sz), bytes(size_t(sz.x) * sz.y * f.bpp / 8) {}
  // Host order at 16 and 32 bits, least significant byte first at 24.
  unsigned at(int x, int y) const {
    size_t n = pf.bpp / 8, i = (size_t(y) * size.x + x) * n;
    unsigned v = 0;
    memcpy(&v, &bytes[i], n);
    return v;
  }
};

Image randomImage(const PixelFormat& pf, Point size, unsigned seed) {
  Image img(pf, size);
  std::mt19937 rng(seed);
  for (unsigned char& b : img.bytes) b = uint8_t(rng());
  return img;
}

// The whole image through the kernel with a fresh accumulator row, which the
// kernel must leave all zero for the next call.
Image scaleWhole(ScaleFn fn, const Image& src, const PixelFormat& dstPf, Point dstSz) {
  Image dst(dstPf, dstSz);
  std::vector<fb::ColourWithAlpha> acc(size_t(dstSz.x));
  fn(dstSz, dst.bytes.data(), dstSz.x, dstPf, nullptr, src.bytes.data(), src.size.x, src.pf,
     nullptr, Point(0, 0), Point(0, 0), ScalerCoords{src.size, dstSz}, acc.data());
  for (const fb::ColourWithAlpha& a : acc) EXPECT_EQ(a, fb::ColourWithAlpha());
  return dst;
}

// Channel i (red, green, blue, alpha) of a raw value, byte order applied.
unsigned channel(const PixelFormat& pf, unsigned v, int i) {
  if (pf.bigEndian && pf.bpp == 16) v = __builtin_bswap16(uint16_t(v));
  const int shift[4] = {pf.redShift, pf.greenShift, pf.blueShift, pf.alphaShift};
  const int max[4] = {pf.redMax, pf.greenMax, pf.blueMax, pf.alphaMax};
  return (v >> shift[i]) & unsigned(max[i]);
}

// The exact overlap-weighted mean, in doubles, of value(x, y) over the
// source area under destination pixel (dx, dy).
template <class Value>
double areaMean(Point srcSz, Point dstSz, int dx, int dy, Value value) {
  double sum = 0;
  for (int y = 0; y < srcSz.y; y++) {
    long oy = std::min((y + 1L) * dstSz.y, (dy + 1L) * srcSz.y) -
              std::max(long(y) * dstSz.y, long(dy) * srcSz.y);
    for (int x = 0; x < srcSz.x && oy > 0; x++) {
      long ox = std::min((x + 1L) * dstSz.x, (dx + 1L) * srcSz.x) -
                std::max(long(x) * dstSz.x, long(dx) * srcSz.x);
      if (ox > 0) sum += value(x, y) * double(ox) * double(oy);
    }
  }
  return sum / (double(srcSz.x) * srcSz.y);
}

struct FamilyCase {
  const char* name;
  PixelFormat src, dst;
  ScaleFn kernel;
  bool raw;  // raw channels averaged, or 8-bit colour
};

const FamilyCase families[] = {
    {"general 16 to 32", PixelFormat::rgb565(), PixelFormat::bgr888(), gfxutil::scale16to32, false},
    {"general 8 to 24", bgr233, rgb24, gfxutil::scale8to24, false},
    {"general 32 to big-endian 16", PixelFormat::rgb888(), rgb565be, gfxutil::scale32to16, false},
    {"general 24 to 8", bgr24, bgr233, gfxutil::scale24to8, false},
    {"general 32 to 32", PixelFormat::bgr888(), PixelFormat::rgb888(), gfxutil::scale32to32, false},
    {"8-bit to native 16", bgr233, PixelFormat::rgb565(), gfxutil::scaleNE8to16, false},
    {"8-bit to native 32", bgr233, PixelFormat::rgb888(), gfxutil::scaleNE8to32, false},
    {"same 8", bgr233, bgr233, gfxutil::scaleTcNE8to8, true},
    {"same 16", PixelFormat::rgb555(), PixelFormat::rgb555(), gfxutil::scaleTcNE16to16, true},
    {"same 24", rgb24, rgb24, gfxutil::scaleTcNE24to24, true},
    {"same 32", PixelFormat::bgr888(), PixelFormat::bgr888(), gfxutil::scaleTcNE32to32, true},
    {"alpha 16", argb4444, argb4444, gfxutil::scaleAlphaTcNE16to16, true},
    {"alpha 32", PixelFormat::argb8(), PixelFormat::argb8(), gfxutil::scaleAlphaTcNE32to32, true},
    {"rgb222", PixelFormat::rgb222(), PixelFormat::rgb222(), gfxutil::scaleRGB222NE8to8, true},
    {"rgb565", PixelFormat::rgb565(), PixelFormat::rgb565(), gfxutil::scaleRGB565NE16to16, true},
    {"rgb888", PixelFormat::rgb888(), PixelFormat::rgb888(), gfxutil::scaleRGB888NE32to32, true},
};

// Source size, scaled size.
const Point ratios[][2] = {
    {{8, 6}, {4, 3}},   {{9, 6}, {6, 4}}, {{5, 4}, {10, 8}}, {{48, 48}, {24, 24}},
    {{10, 10}, {7, 7}}, {{5, 5}, {8, 8}}, {{8, 8}, {5, 5}},  {{13, 9}, {7, 11}},
};

// Within one step of the exact mean rounded to the destination's range.
TEST(ScaleKernels, EveryFamilyMatchesTheExactAreaMean) {
  unsigned seed = 1;
  for (const FamilyCase& f : families) {
    ASSERT_EQ(gfxutil::chooseScaleFn(f.src, f.dst), f.kernel) << f.name;
    for (const auto& ratio : ratios) {
      Point srcSz = ratio[0], dstSz = ratio[1];
      SCOPED_TRACE(testing::Message() << f.name << ": " << srcSz.x << "x" << srcSz.y << " to "
                                      << dstSz.x << "x" << dstSz.y);
      Image src = randomImage(f.src, srcSz, seed++);
      Image dst = scaleWhole(f.kernel, src, f.dst, dstSz);
      for (int i = 0; i < (f.raw && f.dst.alphaMax ? 4 : 3); i++) {
        auto value = [&](int x, int y) -> double {
          if (f.raw) return channel(f.src, src.at(x, y), i);
          fb::ColourWithAlpha c;
          f.src.pixelToRgba8(src.at(x, y), &c, nullptr);
          return i == 0 ? c.r : i == 1 ? c.g : c.b;
        };
        const int max[3] = {f.dst.redMax, f.dst.greenMax, f.dst.blueMax};
        for (int dy = 0; dy < dstSz.y; dy++) {
          for (int dx = 0; dx < dstSz.x; dx++) {
            double want = areaMean(srcSz, dstSz, dx, dy, value);
            if (!f.raw) want = want * max[i] / 255;
            long got = channel(f.dst, dst.at(dx, dy), i);
            ASSERT_LE(std::labs(got - std::lround(want)), 1)
                << "pixel " << dx << "," << dy << " channel " << i << " exact " << want;
          }
        }
      }
      if (f.kernel == gfxutil::scaleRGB888NE32to32) {
        EXPECT_EQ(dst.at(0, 0) >> 24, 0u) << "top byte";
      }
    }
  }
}

TEST(ScaleKernels, ExactValuesFollowTheFixedPointSteps) {
  struct {
    const char* name;
    std::vector<uint8_t> src;
    Point dstSz;
    std::vector<unsigned> want;
  } cases[] = {
      {"2 to 1 rounds 127.5 up", {0, 255}, {1, 1}, {128}},
      {"3 to 2 shares the middle", {0, 255, 0}, {2, 1}, {85, 85}},
      {"1 to 2 copies", {200}, {2, 1}, {200, 200}},
      {"4 to 3 weighs 3 and 1", {0, 255, 255, 0}, {3, 1}, {64, 255, 64}},
  };
  for (const auto& c : cases) {
    Image src(PixelFormat::rgb888(), Point(int(c.src.size()), 1));
    for (size_t i = 0; i < c.src.size(); i++) src.bytes[i * 4 + 1] = c.src[i];
    Image dst = scaleWhole(gfxutil::scaleTcNE32to32, src, PixelFormat::rgb888(), c.dstSz);
    for (int x = 0; x < c.dstSz.x; x++)
      EXPECT_EQ(dst.at(x, 0), c.want[size_t(x)] << 8) << c.name << " column " << x;
  }
}

// Widths up to 16743 reproduce every value; the truncated reciprocal of a
// wider one loses a step on some.
TEST(ScaleKernels, EqualSizesAreTheIdentityBelow16744) {
  for (int width : {16743, 16744}) {
    Image src(PixelFormat::rgb888(), Point(width, 1));
    for (int x = 0; x < width; x++) src.bytes[size_t(x) * 4] = uint8_t(x);
    Image dst = scaleWhole(gfxutil::scaleRGB888NE32to32, src, PixelFormat::rgb888(), src.size);
    EXPECT_EQ(dst.bytes == src.bytes, width == 16743) << width;
  }
}

// The block starts inside a source pixel and only the source pixels it
// overlaps exist: a read beyond them is caught by the address sanitizer, and
// the result equals the same pixels of a whole scale.
TEST(ScaleKernels, UnalignedBlockReadsOnlyItsOwnSourceArea) {
  const PixelFormat& pf = PixelFormat::argb8();
  ScalerCoords coords{{10, 10}, {7, 7}};
  Image whole = randomImage(pf, coords.srcSz, 99);
  Image full = scaleWhole(gfxutil::scaleAlphaTcNE32to32, whole, pf, coords.dstSz);
  plat::Rect block(2, 3, 6, 5);
  plat::Rect area = gfxutil::scaledToSourceRect(block, coords);
  std::vector<uint32_t> part;
  for (int y = area.tl.y; y < area.br.y; y++)
    for (int x = area.tl.x; x < area.br.x; x++) part.push_back(whole.at(x, y));
  std::vector<uint32_t> out(size_t(block.width()) * block.height());
  std::vector<fb::ColourWithAlpha> acc(size_t(block.width()));
  gfxutil::scaleAlphaTcNE32to32(Point(block.width(), block.height()),
                                reinterpret_cast<unsigned char*>(out.data()), block.width(), pf,
                                nullptr, reinterpret_cast<const unsigned char*>(part.data()),
                                area.width(), pf, nullptr, Point(area.tl.x * 7, area.tl.y * 7),
                                Point(block.tl.x * 10, block.tl.y * 10), coords, acc.data());
  for (int y = 0; y < block.height(); y++)
    for (int x = 0; x < block.width(); x++)
      EXPECT_EQ(out[size_t(y) * block.width() + x], full.at(block.tl.x + x, block.tl.y + y));
}

}  // namespace
