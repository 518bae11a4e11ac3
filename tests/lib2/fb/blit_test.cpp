#include "lib2/fb/Blit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "lib2/fb/ColourCube.h"
#include "lib2/fb/ManagedPixelBuffer.h"

using fb::ColourWithAlpha;
using fb::ManagedPixelBuffer;
using fb::PixelFormat;
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
  for (int y = pb->getRect().tl.y; y < pb->getRect().br.y; y++)
    for (int x = pb->getRect().tl.x; x < pb->getRect().br.x; x++) {
      pb->setPixelAt(Point(x, y), mapped ? unsigned(rng() % 216) : unsigned(rng()));
    }
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
        std::vector<unsigned> before;
        for (int i = 0; i < 24; i++) before.push_back(dst.getPixelAt(Point(i % 6, i / 6)));

        fb::blit(&src, Point(21, 31), &dst, Rect(1, 1, 5, 4), fn);
        for (int y = 0; y < 4; y++)
          for (int x = 0; x < 6; x++) {
            unsigned expected = before[size_t(y * 6 + x)];
            if (x >= 1 && x < 5 && y >= 1) {
              ColourWithAlpha s, d;
              srcPF->pixelToRgba8(src.getPixelAt(Point(20 + x, 30 + y)), &s, mapFor(*srcPF));
              dstPF->pixelToRgba8(expected, &d, mapFor(*dstPF));
              fn(&s, &d);
              expected = dstPF->rgba8ToPixel(d, mapFor(*dstPF));
              if (dstPF->bpp < 32) expected &= (1u << dstPF->bpp) - 1;
            }
            ASSERT_EQ(dst.getPixelAt(Point(x, y)), expected)
                << int(srcPF->bpp) << " to " << int(dstPF->bpp) << " at " << x << "," << y;
          }
      }
}

TEST(Blit, SourcePositionLandsOnTheRectCornerAndClipsOnAllSides) {
  ManagedPixelBuffer src(kPal8, Point(8, 8), &kCube);
  for (int i = 0; i < 64; i++) src.setPixelAt(Point(i % 8, i / 8), unsigned(i));
  ManagedPixelBuffer dst(kPal8, Rect(10, 10, 20, 20), &kCube);
  fb::blit(&src, Point(2, 3), &dst, Rect(10, 10, 20, 20), fb::srcCopy);
  EXPECT_EQ(dst.getPixelAt(Point(10, 10)), 3u * 8 + 2);
  EXPECT_EQ(dst.getPixelAt(Point(15, 14)), 7u * 8 + 7);
  EXPECT_EQ(dst.getPixelAt(Point(16, 14)), 0u);  // past the source's right edge
  fb::blit(&src, Point(-3, 0), &dst, Rect(5, 16, 25, 17), fb::srcCopy);
  EXPECT_EQ(dst.getPixelAt(Point(10, 16)), 2u);  // dst x 5 was source x -3
  EXPECT_EQ(dst.getPixelAt(Point(15, 16)), 7u);
  EXPECT_EQ(dst.getPixelAt(Point(10, 17)), 0u);  // below the rect
}

TEST(Blit, OverFromAFormatWithoutAlphaCopiesBitsExactly) {
  ManagedPixelBuffer src(PixelFormat::rgb888(), Point(2, 1), nullptr);
  src.setPixelAt(Point(0, 0), 0xAB123456);  // spare bits travel too
  src.setPixelAt(Point(1, 0), 0x00FFFFFF);
  ManagedPixelBuffer dst(PixelFormat::rgb888(), Point(2, 1), nullptr);
  fb::blit(&src, Point(0, 0), &dst, dst.getRect(), fb::compositeOver);
  EXPECT_EQ(dst.getPixelAt(Point(0, 0)), 0xAB123456u);
  EXPECT_EQ(dst.getPixelAt(Point(1, 0)), 0x00FFFFFFu);
}

TEST(Blit, OverLoopMatchesThePerPixelPathForEveryAlpha) {
  const PixelFormat argbHigh(32, 32, false, true, 255, 255, 255, 24, 16, 8, 0, 255);
  struct Pair {
    const PixelFormat* src;
    const PixelFormat* dst;
  };
  const Pair pairs[] = {{&PixelFormat::argb8(), &PixelFormat::rgb888()},
                        {&PixelFormat::argb8(), &PixelFormat::argb8()},
                        {&argbHigh, &argbHigh}};
  for (const Pair& pair : pairs) {
    ManagedPixelBuffer src(*pair.src, Point(256, 16), nullptr);
    ManagedPixelBuffer fast(*pair.dst, Point(256, 16), nullptr);
    ManagedPixelBuffer general(*pair.dst, Point(256, 16), nullptr);
    std::mt19937 rng(3);
    for (int i = 0; i < 256 * 16; i++) {
      // Every alpha, colours above alpha included, and busy spare bits.
      Point p(i % 256, i / 256);
      src.setPixelAt(p, (rng() & ~(0xFFu << pair.src->alphaShift)) | unsigned(p.x)
                                                                         << pair.src->alphaShift);
      unsigned d = rng();
      fast.setPixelAt(p, d);
      general.setPixelAt(p, d);
    }
    fb::blit(&src, Point(), &fast, fast.getRect(), fb::compositeOver);
    fb::blit(&src, Point(), &general, general.getRect(), plainOver);
    for (int y = 0; y < 16; y++)
      for (int x = 0; x < 256; x++)
        ASSERT_EQ(fast.getPixelAt(Point(x, y)), general.getPixelAt(Point(x, y))) << x << "," << y;
  }
}

TEST(Blit, CopyInPlaceLeavesThePixels) {
  ManagedPixelBuffer pb(PixelFormat::rgb565(), Point(4, 3), nullptr);
  scribble(&pb, 5);
  std::vector<unsigned> before;
  for (int i = 0; i < 12; i++) before.push_back(pb.getPixelAt(Point(i % 4, i / 4)));
  fb::blitInPlace(&pb, Rect(0, 0, 4, 3), fb::srcCopy);
  fb::blitInPlace(&pb, Rect(-2, -2, 9, 9), fb::compositeOver);
  for (int i = 0; i < 12; i++) EXPECT_EQ(pb.getPixelAt(Point(i % 4, i / 4)), before[size_t(i)]);
}

TEST(Blit, OverlappingAreasReadTheSourceAsItWas) {
  for (fb::CompositeFn fn : {fb::CompositeFn(fb::srcCopy), fb::CompositeFn(fb::greyscale)}) {
    ManagedPixelBuffer pb(kPacked24, Point(5, 4), nullptr);
    for (int y = 0; y < 4; y++)
      for (int x = 0; x < 5; x++) pb.setPixelAt(Point(x, y), unsigned(y * 5 + x) * 0x010101);
    // Down and to the right by one, within one buffer and through a view.
    fb::FullFramePixelBuffer view(&pb, Rect(1, 1, 5, 4));
    fb::blit(&pb, Point(0, 0), &view, Rect(0, 0, 4, 3), fn);
    for (int y = 1; y < 4; y++)
      for (int x = 1; x < 5; x++)
        ASSERT_EQ(pb.getPixelAt(Point(x, y)), unsigned((y - 1) * 5 + x - 1) * 0x010101)
            << x << "," << y;
  }
}
