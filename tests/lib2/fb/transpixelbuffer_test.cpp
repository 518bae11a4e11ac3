#include "lib2/fb/TransPixelBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using fb::TransPixelBuffer;
using plat::Point;
using plat::Rect;

namespace {

// 256 distinct colours, so that every entry is its own nearest colour.
struct Palette : fb::ColourMap {
  void pixelToRgb888(unsigned pixel, fb::Colour* out) const override {
    if (pixel < 256) *out = fb::Colour{int(pixel), int(pixel * 7 % 256), int(255 - pixel)};
  }
  int numColours() const override { return 256; }
};

const Palette kPalette;

const PixelFormat kFormats[] = {PixelFormat::rgb888(),
                                PixelFormat::bgr888(),
                                PixelFormat::rgb565(),
                                PixelFormat::rgb555(),
                                PixelFormat(24, 24, false, true, 255, 255, 255, 16, 8, 0),
                                PixelFormat::pal8(),
                                PixelFormat(16, 16, true, true, 31, 63, 31, 11, 5, 0),
                                PixelFormat(32, 24, true, true, 255, 255, 255, 16, 8, 0)};

const fb::ColourMap* sourceMap(const PixelFormat& pf) {
  return pf.trueColour ? nullptr : &kPalette;
}

// Input format, output format, rgbFor16bpp: every pair both ways of reading
// 16 bits; colour-mapped output also with a map of its own.
class Translation : public testing::TestWithParam<std::tuple<int, int, bool>> {};

}  // namespace

TEST_P(Translation, EveryRouteMatchesTheSlowReference) {
  auto [inIndex, outIndex, rgbFor16bpp] = GetParam();
  const PixelFormat &in = kFormats[inIndex], &out = kFormats[outIndex];
  int width = 256, height = in.bpp == 8 ? 1 : in.bpp == 16 ? 256 : 64;
  ManagedPixelBuffer src(in, Point(width, height), sourceMap(in));
  std::mt19937 rng(9);  // every value of an 8- or 16-bit format, a spread of others
  gwtest::paint(&src, [&](int x, int y) { return in.bpp <= 16 ? y * width + x : int(rng()); });
  for (bool outMap : out.trueColour ? std::vector<bool>{false} : std::vector<bool>{false, true}) {
    SCOPED_TRACE(testing::Message()
                 << "format " << inIndex << " to " << outIndex << (outMap ? " with a map" : ""));
    TransPixelBuffer tpb(rgbFor16bpp);
    tpb.setSource(&src);
    tpb.setPf(out);
    if (outMap) tpb.setColourMap(&kPalette);
    ManagedPixelBuffer image(out, Point(width, height), nullptr);
    tpb.getImage(image.getPixelsRW(image.getRect(), nullptr), src.getRect(), 0);
    // Channel tables into a map that is not a cube find the cube's cell first,
    // then the map's colour nearest to that cell.
    bool cubeFirst = outMap && in.trueColour && (in.bpp > 16 || (rgbFor16bpp && !in.bigEndian));
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++) {
        unsigned p = src.getPixelAt(Point(x, y));
        fb::ColourWithAlpha c;
        in.pixelToRgba8(p, &c, sourceMap(in));
        if (cubeFirst) {
          fb::Colour cell{c.r, c.g, c.b};
          const fb::ColourMap* cube = tpb.getPreferredColourMap();
          cube->pixelToRgb888(cube->rgb888ToPixel(cell), &cell);
          c = fb::ColourWithAlpha{cell.r, cell.g, cell.b, 255};
        }
        unsigned expected =
            out.rgba8ToPixel(c, tpb.getColourMap()) & unsigned((1ull << out.bpp) - 1);
        if (!tpb.translates()) expected = p;  // spare bits included
        ASSERT_EQ(image.getPixelAt(Point(x, y)), expected) << std::hex << "pixel " << p;
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, Translation,
                         testing::Combine(testing::Range(0, 8), testing::Range(0, 8),
                                          testing::Bool()));
TEST(TransPixelBuffer, ColourMappedOutputGetsTheLargestCubeOfAtLeastTwoLevels) {
  // depth, colours, white, the pixel of 0x80FF00
  const int cases[][4] = {{8, 216, 215, (3 * 6 + 5) * 6}, {2, 8, 7, 6}, {1, 8, 7, 6}};
  ManagedPixelBuffer src(PixelFormat::rgb888(), Point(2, 1), nullptr);
  gwtest::paint(&src, [](int x, int) { return x ? 0x80FF00 : 0xFFFFFF; });
  for (const auto& [depth, colours, white, green] : cases) {
    TransPixelBuffer tpb(false);
    tpb.setSource(&src);
    tpb.setPf(PixelFormat(8, depth, false, false, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(tpb.getColourMap()->numColours(), colours) << depth;
    unsigned char out[2];
    tpb.getImage(out, src.getRect(), 0);
    EXPECT_EQ(std::vector<int>(out, out + 2), std::vector<int>({white, green})) << depth;
  }
}

// A reduction format rounds twice, and a maximum of 62 is no run of ones.
TEST(TransPixelBuffer, TrueColourGoesWithoutTablesUnlessReducedOrUneven) {
  ManagedPixelBuffer src(PixelFormat::rgb888(), Point(1, 1), nullptr);
  src.setPixelAt(Point(0, 0), 0xFFFFFF);
  TransPixelBuffer tpb(false);
  tpb.setSource(&src);
  tpb.setPf(PixelFormat::rgb565());
  uint16_t out = 0;
  const uint16_t* read = reinterpret_cast<const uint16_t*>(tpb.getPixelsR(src.getRect(), nullptr));
  EXPECT_TRUE(tpb.shifts());
  EXPECT_EQ(*read, 0xFFFF);
  tpb.setReductionPF(PixelFormat::rgb111());
  tpb.refreshTranslation();
  tpb.getImage(&out, src.getRect(), 0);
  EXPECT_FALSE(tpb.shifts());
  EXPECT_EQ(out, 0xFFFF);
  TransPixelBuffer uneven(false);
  uneven.setSource(&src);
  uneven.setPf(PixelFormat(16, 16, false, true, 31, 62, 31, 11, 5, 0));
  EXPECT_FALSE(uneven.shifts());
  EXPECT_TRUE(uneven.translates());
}

TEST(TransPixelBuffer, ColourMappedFormatsOfOneWidthPassUnchangedUntilAMapIsGiven) {
  ManagedPixelBuffer src(PixelFormat::pal8(), Point(1, 1), &kPalette);
  TransPixelBuffer tpb(false);
  tpb.setPf(PixelFormat::pal8());
  tpb.setSource(&src);
  EXPECT_FALSE(tpb.translates());
  tpb.setColourMap(&kPalette);  // even the source's own
  EXPECT_TRUE(tpb.translates());
}

// Detached, reads give nothing, and the tables stay for the next source.
TEST(TransPixelBuffer, WithoutASourceReadsGiveNothingAndTablesStay) {
  ManagedPixelBuffer src(PixelFormat::rgb888(), Rect(5, 5, 7, 6), nullptr);
  src.setPixelAt(Point(5, 5), 0xFFFFFF);
  TransPixelBuffer tpb(false);
  tpb.setPf(PixelFormat::rgb565());
  tpb.setSource(&src);
  tpb.setSource(nullptr);
  uint16_t out[2] = {1, 1};
  tpb.getImage(out, Rect(5, 5, 7, 6), 0);
  EXPECT_EQ(tpb.getPixelsR(Rect(5, 5, 7, 6), nullptr), nullptr);
  EXPECT_EQ(out[0], 1);
  tpb.setSource(&src);
  tpb.getImage(out, Rect(5, 5, 7, 6), 0);
  EXPECT_EQ(out[0], 0xFFFF);
}

TEST(TransPixelBufferDeath, RefusesFormatsItCannotTranslate) {
  ManagedPixelBuffer wideIndex(PixelFormat(32, 8, false, false, 0, 0, 0, 0, 0, 0), Point(1, 1),
                               &kPalette);
  TransPixelBuffer tpb(false);
  EXPECT_DEATH(tpb.setSource(&wideIndex), "inPF.trueColour \\|\\| inPF.bpp <= 16");
  ManagedPixelBuffer invalid(PixelFormat(16, 17, false, true, 31, 63, 31, 11, 5, 0), Point(1, 1),
                             nullptr);
  EXPECT_DEATH(tpb.setSource(&invalid), "inPF.depthAndBppAreValid\\(\\)");
  ManagedPixelBuffer fine(PixelFormat::rgb888(), Point(1, 1), nullptr);
  tpb.setSource(&fine);
  EXPECT_DEATH(tpb.setPf(PixelFormat(12, 12, false, true, 15, 15, 15, 8, 4, 0)),
               "pf.depthAndBppAreValid\\(\\)");
}
