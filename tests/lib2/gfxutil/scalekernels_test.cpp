#include "lib2/gfxutil/ScaleKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "lib2/fb/PixelAccess.h"
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
  unsigned at(int x, int y) const {
    const unsigned char* p = bytes.data() + (size_t(y) * size.x + x) * (pf.bpp / 8);
    switch (pf.bpp) {
      case 8:
        return fb::readPixel<8>(&p);
      case 16:
        return fb::readPixel<16>(&p);
      case 24:
        return fb::readPixel<24>(&p);
      default:
        return fb::readPixel<32>(&p);
    }
  }
};

Image randomImage(const PixelFormat& pf, Point size, unsigned seed) {
  Image img(pf, size);
  std::mt19937 rng(seed);
  for (unsigned char& b : img.bytes) b = uint8_t(rng());
  return img;
}

// Calls the kernel over the whole image with a fresh accumulator row.
Image scaleWhole(ScaleFn fn, const Image& src, const PixelFormat& dstPf, Point dstSz) {
  Image dst(dstPf, dstSz);
  std::vector<fb::ColourWithAlpha> acc(size_t(dstSz.x));
  ScalerCoords c{src.size, dstSz};
  fn(dstSz, dst.bytes.data(), dstSz.x, dstPf, nullptr, src.bytes.data(), src.size.x, src.pf,
     nullptr, Point(0, 0), Point(0, 0), c, acc.data());
  return dst;
}

unsigned channel(unsigned v, int shift, int max) { return (v >> shift) & unsigned(max); }

// The overlap-weighted mean of source values around destination pixel
// (dx, dy), in doubles, over the exact overlaps of the common grid.
template <class Value>
double areaMean(Point srcSz, Point dstSz, int dx, int dy, Value value) {
  double sum = 0;
  for (int y = 0; y < srcSz.y; y++) {
    long oy = std::min<long>((y + 1L) * dstSz.y, (dy + 1L) * srcSz.y) -
              std::max<long>(long(y) * dstSz.y, long(dy) * srcSz.y);
    if (oy <= 0) continue;
    for (int x = 0; x < srcSz.x; x++) {
      long ox = std::min<long>((x + 1L) * dstSz.x, (dx + 1L) * srcSz.x) -
                std::max<long>(long(x) * dstSz.x, long(dx) * srcSz.x);
      if (ox > 0) sum += value(x, y) * double(ox) * double(oy);
    }
  }
  return sum / (double(srcSz.x) * srcSz.y);
}

struct FamilyCase {
  const char* name;
  PixelFormat src;
  PixelFormat dst;
  ScaleFn expected;
  bool raw;  // raw channels averaged, or 8-bit colour
};

const FamilyCase families[] = {
    {"general 16 to 32", PixelFormat::rgb565(), PixelFormat::bgr888(), gfxutil::scale16to32, false},
    {"general 8 to 24", bgr233, rgb24, gfxutil::scale8to24, false},
    {"general 32 to big-endian 16", PixelFormat::rgb888(), rgb565be, gfxutil::scale32to16, false},
    {"general 24 to 8", bgr24, bgr233, gfxutil::scale24to8, false},
    {"general 32 to 32", PixelFormat::bgr888(), PixelFormat::rgb888(), gfxutil::scale32to32, false},
    {"general 24 to 24", rgb24, bgr24, gfxutil::scale24to24, false},
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

const Point ratios[][2] = {
    {{8, 6}, {4, 3}},   {{9, 6}, {6, 4}},  {{5, 4}, {10, 8}}, {{48, 48}, {24, 24}},
    {{10, 10}, {7, 7}}, {{5, 5}, {8, 8}},  {{8, 8}, {5, 5}},  {{13, 9}, {7, 11}},
    {{1, 1}, {3, 2}},   {{17, 3}, {1, 1}},
};

TEST(ScaleKernels, EveryFamilyMatchesTheExactAreaMeanWithinOneStep) {
  for (const FamilyCase& f : families) {
    ASSERT_EQ(gfxutil::chooseScaleFn(f.src, f.dst), f.expected) << f.name;
    unsigned seed = 1;
    for (const auto& ratio : ratios) {
      Point srcSz = ratio[0], dstSz = ratio[1];
      SCOPED_TRACE(testing::Message() << f.name << ": " << srcSz.x << "x" << srcSz.y << " to "
                                      << dstSz.x << "x" << dstSz.y);
      Image src = randomImage(f.src, srcSz, seed++);
      Image dst = scaleWhole(f.expected, src, f.dst, dstSz);
      const int shifts[4] = {f.dst.redShift, f.dst.greenShift, f.dst.blueShift, f.dst.alphaShift};
      const int maxes[4] = {f.dst.redMax, f.dst.greenMax, f.dst.blueMax, f.dst.alphaMax};
      int channels = f.raw && f.dst.alphaMax ? 4 : 3;
      for (int dy = 0; dy < dstSz.y; dy++) {
        for (int dx = 0; dx < dstSz.x; dx++) {
          for (int i = 0; i < channels; i++) {
            double want = areaMean(srcSz, dstSz, dx, dy, [&](int x, int y) -> double {
              unsigned v = src.at(x, y);
              if (f.raw) {
                const int ss[4] = {f.src.redShift, f.src.greenShift, f.src.blueShift,
                                   f.src.alphaShift};
                const int sm[4] = {f.src.redMax, f.src.greenMax, f.src.blueMax, f.src.alphaMax};
                return channel(v, ss[i], sm[i]);
              }
              fb::ColourWithAlpha c;
              f.src.pixelToRgba8(v, &c, nullptr);
              return i == 0 ? c.r : i == 1 ? c.g : c.b;
            });
            // 8-bit means land in the destination's own range.
            if (!f.raw) want = want * maxes[i] / 255;
            unsigned got = dst.at(dx, dy);
            if (f.dst.bigEndian) got = __builtin_bswap16(uint16_t(got));
            long diff = long(channel(got, shifts[i], maxes[i])) - std::lround(want);
            ASSERT_LE(std::labs(diff), 1)
                << "pixel " << dx << "," << dy << " channel " << i << " exact " << want;
          }
        }
      }
    }
  }
}

struct ExactCase {
  const char* name;
  std::vector<unsigned> src;
  Point dstSz;
  std::vector<unsigned> want;
};

TEST(ScaleKernels, ExactValuesFollowTheFixedPointSteps) {
  const ExactCase cases[] = {
      {"2 to 1 rounds 127.5 up", {0, 255}, {1, 1}, {128}},
      {"3 to 2 shares the middle", {0, 255, 0}, {2, 1}, {85, 85}},
      {"1 to 2 copies", {200}, {2, 1}, {200, 200}},
      {"4 to 3 weights 3 and 1", {0, 255, 255, 0}, {3, 1}, {64, 255, 64}},
  };
  PixelFormat grey(32, 24, false, true, 255, 255, 255, 16, 8, 0);
  for (const ExactCase& c : cases) {
    Image src(grey, Point(int(c.src.size()), 1));
    for (size_t i = 0; i < c.src.size(); i++) src.bytes[i * 4 + 1] = uint8_t(c.src[i]);
    Image dst = scaleWhole(gfxutil::scaleTcNE32to32, src, grey, c.dstSz);
    for (int x = 0; x < c.dstSz.x; x++)
      EXPECT_EQ(channel(dst.at(x, 0), 8, 255), c.want[size_t(x)]) << c.name << " column " << x;
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

// The block starts in the middle of a source pixel and only the source
// pixels it overlaps exist: any read beyond them is caught by the address
// sanitizer, and the result must equal the same columns of a whole scale.
TEST(ScaleKernels, UnalignedBlockReadsOnlyItsOwnSourceArea) {
  const PixelFormat& pf = PixelFormat::argb8();
  Point srcSz(10, 10), dstSz(7, 7);
  Image whole = randomImage(pf, srcSz, 99);
  Image full = scaleWhole(gfxutil::scaleAlphaTcNE32to32, whole, pf, dstSz);
  ScalerCoords coords{srcSz, dstSz};
  plat::Rect block(2, 3, 6, 5);
  plat::Rect area = gfxutil::scaledToSourceRect(block, coords);
  std::vector<uint32_t> part(size_t(area.width()) * area.height());
  for (int y = 0; y < area.height(); y++)
    for (int x = 0; x < area.width(); x++)
      part[size_t(y) * area.width() + x] = whole.at(area.tl.x + x, area.tl.y + y);
  std::vector<uint32_t> out(size_t(block.width()) * block.height());
  std::vector<fb::ColourWithAlpha> acc(size_t(block.width()));
  gfxutil::scaleAlphaTcNE32to32(
      Point(block.width(), block.height()), reinterpret_cast<unsigned char*>(out.data()),
      block.width(), pf, nullptr, reinterpret_cast<const unsigned char*>(part.data()), area.width(),
      pf, nullptr, Point(area.tl.x * dstSz.x, area.tl.y * dstSz.y),
      Point(block.tl.x * srcSz.x, block.tl.y * srcSz.y), coords, acc.data());
  for (int y = 0; y < block.height(); y++)
    for (int x = 0; x < block.width(); x++)
      EXPECT_EQ(out[size_t(y) * block.width() + x], full.at(block.tl.x + x, block.tl.y + y))
          << x << "," << y;
}

TEST(ScaleKernels, AccumulatorRowIsZeroAfterEveryCall) {
  for (const FamilyCase& f : families) {
    Image src = randomImage(f.src, Point(9, 7), 5);
    std::vector<fb::ColourWithAlpha> acc(4);
    Image dst(f.dst, Point(4, 3));
    ScalerCoords c{src.size, dst.size};
    f.expected(dst.size, dst.bytes.data(), 4, f.dst, nullptr, src.bytes.data(), 9, f.src, nullptr,
               Point(0, 0), Point(0, 0), c, acc.data());
    for (const fb::ColourWithAlpha& a : acc) EXPECT_EQ(a, fb::ColourWithAlpha()) << f.name;
  }
}

TEST(ScaleKernels, Rgb888ClearsTheTopByte) {
  Image src(PixelFormat::rgb888(), Point(2, 2));
  std::fill(src.bytes.begin(), src.bytes.end(), 0xff);
  Image dst = scaleWhole(gfxutil::scaleRGB888NE32to32, src, PixelFormat::rgb888(), Point(1, 1));
  EXPECT_EQ(dst.at(0, 0), 0x00ffffffu);
}

}  // namespace
