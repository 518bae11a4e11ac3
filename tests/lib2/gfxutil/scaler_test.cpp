#include "lib2/gfxutil/Scaler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib2/fb/ManagedPixelBuffer.h"

using fb::PixelFormat;
using gfxutil::chooseScaleFn;
using gfxutil::ScaleFn;
using plat::Point;
using plat::Rect;

namespace {

const PixelFormat bgr233;
const PixelFormat rgb24(24, 24, false, true, 255, 255, 255, 16, 8, 0);
const PixelFormat argb24(24, 24, false, true, 63, 63, 63, 12, 6, 0, 18, 63);
const PixelFormat rgb888be(32, 24, true, true, 255, 255, 255, 16, 8, 0);
const PixelFormat abgr8(32, 32, false, true, 255, 255, 255, 0, 8, 16, 24, 255);
const PixelFormat rgb101010(32, 30, false, true, 1023, 1023, 1023, 20, 10, 0);
const PixelFormat argb2101010(32, 32, false, true, 1023, 1023, 1023, 20, 10, 0, 30, 3);

struct ChoiceCase {
  const char* name;
  PixelFormat src;
  PixelFormat dst;
  ScaleFn want;
};

TEST(ChooseScaleFn, PicksTheKernelForEachPairOfFormats) {
  const ChoiceCase cases[] = {
      {"rgb888 itself", PixelFormat::rgb888(), PixelFormat::rgb888(), gfxutil::scaleRGB888NE32to32},
      {"rgb565 itself", PixelFormat::rgb565(), PixelFormat::rgb565(), gfxutil::scaleRGB565NE16to16},
      {"rgb222 itself", PixelFormat::rgb222(), PixelFormat::rgb222(), gfxutil::scaleRGB222NE8to8},
      {"other 32-bit itself", PixelFormat::bgr888(), PixelFormat::bgr888(),
       gfxutil::scaleTcNE32to32},
      {"24-bit itself", rgb24, rgb24, gfxutil::scaleTcNE24to24},
      {"argb itself", PixelFormat::argb8(), PixelFormat::argb8(), gfxutil::scaleAlphaTcNE32to32},
      {"24-bit alpha itself", argb24, argb24, nullptr},
      {"alpha to another format", PixelFormat::argb8(), abgr8, nullptr},
      {"to an alpha format", PixelFormat::rgb888(), PixelFormat::argb8(), nullptr},
      {"big-endian itself", rgb888be, rgb888be, gfxutil::scale32to32},
      {"two formats without alpha", PixelFormat::bgr888(), PixelFormat::rgb565(),
       gfxutil::scale32to16},
      {"8-bit to native 32", bgr233, PixelFormat::rgb888(), gfxutil::scaleNE8to32},
      {"8-bit to big-endian 32", bgr233, rgb888be, gfxutil::scale8to32},
      {"8-bit to 24", bgr233, rgb24, gfxutil::scale8to24},
      {"palette to itself", PixelFormat::pal8(), PixelFormat::pal8(), gfxutil::scale8to8},
      // Raw channels above 255 would overflow the fixed-point products.
      {"10-bit channels itself", rgb101010, rgb101010, gfxutil::scale32to32},
      {"10-bit channels with alpha", argb2101010, argb2101010, nullptr},
  };
  for (const ChoiceCase& c : cases) {
    EXPECT_EQ(chooseScaleFn(c.src, c.dst), c.want) << c.name;
    EXPECT_EQ(gfxutil::Scaler::canScale(c.src, c.dst), c.want != nullptr) << c.name;
  }
}

// A 12-bit format would otherwise pass for 8 bits.
TEST(ChooseScaleFnDeathTest, WidthsOtherThanWholeBytesAreFatal) {
  PixelFormat odd(12, 12, false, true, 15, 15, 15, 8, 4, 0);
  EXPECT_DEATH(chooseScaleFn(odd, PixelFormat::rgb888()), "bpp % 8 == 0");
}

TEST(ScaledToSourceRect, CoversEveryOverlappingSourcePixel) {
  struct {
    Rect r;
    Point src, dst;
    Rect want;
  } cases[] = {
      {Rect(0, 0, 1, 1), {10, 10}, {5, 5}, Rect(0, 0, 2, 2)},
      {Rect(1, 2, 3, 4), {10, 7}, {7, 10}, Rect(1, 1, 5, 3)},
      {Rect(0, 0, 2, 2), {1, 1}, {2, 2}, Rect(0, 0, 1, 1)},
      {Rect(30000, 0, 30001, 1), {40000, 1}, {40000, 1}, Rect(30000, 0, 30001, 1)},
  };
  for (const auto& c : cases) EXPECT_EQ(gfxutil::scaledToSourceRect(c.r, {c.src, c.dst}), c.want);
}

struct Fixture {
  fb::ManagedPixelBuffer src{PixelFormat::rgb888(), Point(4, 2), nullptr};
  gfxutil::Scaler scaler;
  Fixture() {
    uint32_t* p = reinterpret_cast<uint32_t*>(src.getPixelsRW(src.getRect(), nullptr));
    const uint32_t values[8] = {0x10, 0x30, 0x50, 0x70, 0x90, 0xb0, 0xd0, 0xf0};
    std::copy(values, values + 8, p);
    scaler.setSourcePb(&src, true);
  }
};

// The source is a view with coordinates of its own; the scaled block lands
// at the stride given.
TEST(Scaler, GetImageReadsThroughTheSourceOffsetAndWritesAtTheStride) {
  Fixture f;
  fb::FullFramePixelBuffer view(&f.src, Rect(2, 0, 4, 2));
  view.setOffset(Point(50, 60));
  f.scaler.setSourcePb(&view, true);
  f.scaler.setDstSz(Point(2, 2));
  uint32_t out[4] = {1, 1, 1, 1};
  f.scaler.getImage(out, Rect(1, 0, 2, 2), 3);
  EXPECT_EQ(out[0], 0x70u);
  EXPECT_EQ(out[1], 1u);
  EXPECT_EQ(out[3], 0xf0u);
}

TEST(Scaler, MissingKernelIsACatchableFailure) {
  Fixture f;
  f.scaler.setPf(PixelFormat::argb8());
  f.scaler.setDstSz(Point(2, 1));
  uint32_t out[2];
  EXPECT_THROW(f.scaler.getImage(out, Rect(0, 0, 2, 1), 0), plat::AssertionFail);
  EXPECT_NO_THROW(f.scaler.getImage(out, Rect(0, 0, 0, 1), 0));
}

// Reports a size without holding pixels: the refusal comes before any read.
class SizeOnlySource : public fb::PixelBuffer {
 public:
  explicit SizeOnlySource(Point size)
      : fb::PixelBuffer(PixelFormat::rgb888(), size.x, size.y, nullptr) {}
  const unsigned char* getPixelsR(const Rect&, int*) override { return nullptr; }
};

// Grid products of 2^31 or more, or a source so large its reciprocal is 0.
TEST(Scaler, SizesBeyondTheGridAreRefused) {
  const Point cases[][2] = {
      {{4, 2}, {1 << 29, 1}}, {{1, 3}, {1, 1 << 30}}, {{(1 << 23) + 1, 1}, {1, 1}}};
  for (const auto& c : cases) {
    SizeOnlySource src(c[0]);
    gfxutil::Scaler scaler;
    scaler.setSourcePb(&src, true);
    scaler.setDstSz(c[1]);
    uint32_t out = 0;
    try {
      scaler.getImage(&out, Rect(0, 0, 1, 1), 0);
      ADD_FAILURE() << "nothing thrown";
    } catch (const plat::AssertionFail&) {
      ADD_FAILURE() << "a programming error where a size limit was expected";
    } catch (const plat::Exception& e) {
      EXPECT_STREQ(e.str(), plat::DPrintf("Cannot scale %dx%d pixels to %dx%d: too large", c[0].x,
                                          c[0].y, c[1].x, c[1].y)
                                .get());
    }
  }
}

}  // namespace
