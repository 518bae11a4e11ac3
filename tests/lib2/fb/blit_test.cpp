#include "lib2/fb/Blit.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "lib2/fb/ColourCube.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::ColourWithAlpha;
using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using gwtest::pixels;
using plat::Point;
using plat::Rect;

namespace {

// One format per width: colour-mapped 8, 5-6-5, packed 24 and ARGB 32.
const fb::ColourCube kCube(6, 6, 6);
const PixelFormat kPal8 = PixelFormat::pal8();
const PixelFormat kPacked24(24, 24, false, true, 255, 255, 255, 0, 8, 16);
const PixelFormat* const kFormats[] = {&kPal8, &PixelFormat::rgb565(), &kPacked24,
                                       &PixelFormat::argb8()};

const fb::ColourMap* mapFor(const PixelFormat& pf) { return pf.trueColour ? nullptr : &kCube; }

void scribble(ManagedPixelBuffer* pb, unsigned seed) {
  std::mt19937 rng(seed);
  bool mapped = !pb->getPf().trueColour;
  gwtest::paint(pb, [&](int, int) { return mapped ? rng() % 216 : rng(); });
}

void halfOver(const ColourWithAlpha* src, ColourWithAlpha* dst) {
  ColourWithAlpha half{src->r / 2, src->g / 2, src->b / 2, src->a / 2};
  fb::compositeOver(&half, dst);
}

// compositeOver, but not recognisably: takes the general per-pixel path.
void plainOver(const ColourWithAlpha* src, ColourWithAlpha* dst) { fb::compositeOver(src, dst); }

}  // namespace

TEST(Blit, EveryWidthPairMatchesThePerPixelReference) {
  for (const PixelFormat* srcPF : kFormats)
    for (const PixelFormat* dstPF : kFormats)
      for (fb::CompositeFn fn : {fb::CompositeFn(halfOver), fb::CompositeFn(fb::srcCopy)}) {
        // The source is a view with a wider stride, placed away from (0, 0).
        ManagedPixelBuffer srcParent(*srcPF, Point(9, 6), mapFor(*srcPF));
        scribble(&srcParent, 1);
        fb::FullFramePixelBuffer src(&srcParent, Rect(1, 1, 8, 6));
        src.setOffset(Point(20, 30));
        ManagedPixelBuffer dst(*dstPF, Point(6, 4), mapFor(*dstPF));
        scribble(&dst, 2);
        std::vector<unsigned> want = pixels(dst);
        for (int y = 1; y < 4; y++)
          for (int x = 1; x < 5; x++) {
            ColourWithAlpha s, d;
            srcPF->pixelToRgba8(src.getPixelAt(Point(20 + x, 30 + y)), &s, mapFor(*srcPF));
            dstPF->pixelToRgba8(want[size_t(y * 6 + x)], &d, mapFor(*dstPF));
            fn(&s, &d);
            want[size_t(y * 6 + x)] =
                dstPF->rgba8ToPixel(d, mapFor(*dstPF)) & unsigned((1ull << dstPF->bpp) - 1);
          }
        fb::blit(&src, Point(21, 31), &dst, Rect(1, 1, 5, 4), fn);
        ASSERT_EQ(pixels(dst), want) << int(srcPF->bpp) << " to " << int(dstPF->bpp);
      }
}

TEST(Blit, SourcePositionLandsOnTheRectCornerAndClipsOnAllSides) {
  ManagedPixelBuffer src(kPal8, Point(8, 8), &kCube);
  gwtest::paint(&src, [](int x, int y) { return y * 8 + x; });
  ManagedPixelBuffer dst(kPal8, Rect(10, 10, 20, 20), &kCube);
  fb::blit(&src, Point(2, 3), &dst, Rect(10, 10, 20, 20), fb::srcCopy);
  fb::blit(&src, Point(-3, 0), &dst, Rect(5, 16, 25, 17), fb::srcCopy);
  // The corner, the source's last, past its edge, source x -3 at 5, below.
  const unsigned cases[][3] = {{10, 10, 3 * 8 + 2}, {15, 14, 7 * 8 + 7}, {16, 14, 0},
                               {10, 16, 2},         {15, 16, 7},         {10, 17, 0}};
  for (const auto& [x, y, want] : cases) EXPECT_EQ(dst.getPixelAt(Point(x, y)), want) << x << y;
}

TEST(Blit, OverFromAFormatWithoutAlphaCopiesBitsExactly) {
  ManagedPixelBuffer src(PixelFormat::rgb888(), Point(2, 1), nullptr);
  ManagedPixelBuffer dst(PixelFormat::rgb888(), Point(2, 1), nullptr);
  gwtest::paint(&src, [](int x, int) { return x ? 0x00FFFFFF : 0xAB123456; });  // spare bits too
  fb::blit(&src, Point(0, 0), &dst, dst.getRect(), fb::compositeOver);
  EXPECT_EQ(pixels(dst), pixels(src));
}

// Every alpha, colours above alpha included, and busy spare bits.
TEST(Blit, OverLoopMatchesThePerPixelPathForEveryAlpha) {
  const PixelFormat argbHigh(32, 32, false, true, 255, 255, 255, 24, 16, 8, 0, 255);
  const std::pair<PixelFormat, PixelFormat> pairs[] = {
      {PixelFormat::argb8(), PixelFormat::rgb888()},
      {PixelFormat::argb8(), PixelFormat::argb8()},
      {argbHigh, argbHigh}};
  for (const auto& [srcPF, dstPF] : pairs) {
    ManagedPixelBuffer src(srcPF, Point(256, 16), nullptr), fast(dstPF, Point(256, 16), nullptr),
        general(dstPF, Point(256, 16), nullptr);
    std::mt19937 rng(3);
    gwtest::paint(&src, [&](int x, int) {
      return (rng() & ~(0xFFu << srcPF.alphaShift)) | unsigned(x) << srcPF.alphaShift;
    });
    scribble(&fast, 4);
    scribble(&general, 4);
    fb::blit(&src, Point(), &fast, fast.getRect(), fb::compositeOver);
    fb::blit(&src, Point(), &general, general.getRect(), plainOver);
    ASSERT_EQ(pixels(fast), pixels(general)) << srcPF.alphaShift;
  }
}

// The whole buffer and a rectangle reaching past it, copied and composited
// onto themselves.
TEST(Blit, InPlaceCopyAndOpaqueOverLeaveThePixels) {
  ManagedPixelBuffer pb(PixelFormat::rgb565(), Point(4, 3), nullptr);
  scribble(&pb, 5);
  std::vector<unsigned> before = pixels(pb);
  fb::blitInPlace(&pb, Rect(0, 0, 4, 3), fb::srcCopy);
  fb::blitInPlace(&pb, Rect(-2, -2, 9, 9), fb::compositeOver);
  fb::blit(&pb, Point(1, 1), &pb, Rect(1, 1, 3, 2), fb::srcCopy);
  EXPECT_EQ(pixels(pb), before);
}

// Down and to the right by one, within one buffer and through a view.
TEST(Blit, OverlappingAreasReadTheSourceAsItWas) {
  for (fb::CompositeFn fn : {fb::CompositeFn(fb::srcCopy), fb::CompositeFn(fb::greyscale)}) {
    ManagedPixelBuffer pb(kPacked24, Point(5, 4), nullptr);
    gwtest::paint(&pb, [](int x, int y) { return (y * 5 + x) * 0x010101; });
    fb::FullFramePixelBuffer view(&pb, Rect(1, 1, 5, 4));
    fb::blit(&pb, Point(0, 0), &view, Rect(0, 0, 4, 3), fn);
    for (int y = 1; y < 4; y++)
      for (int x = 1; x < 5; x++)
        ASSERT_EQ(pb.getPixelAt(Point(x, y)), unsigned((y - 1) * 5 + x - 1) * 0x010101) << x << y;
  }
}
