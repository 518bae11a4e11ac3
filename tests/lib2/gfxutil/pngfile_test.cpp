#include "lib2/gfxutil/PngFile.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <memory>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/Failure.h"
#include "tests/support/PngWriter.h"

namespace gfxutil {
namespace {

using Bytes = std::vector<unsigned char>;

plat::CBuf<unsigned char> view(const Bytes& b) { return {int(b.size()), b.data()}; }

uint32_t pixelAt(const std::unique_ptr<fb::ManagedPixelBuffer>& pb, int x, int y) {
  int stride = 0;
  const unsigned char* p = pb->getPixelsR(plat::Rect(x, y, x + 1, y + 1), &stride);
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

// The image decoded into a buffer of its own size (or larger, at pos).
std::unique_ptr<fb::ManagedPixelBuffer> decode(const Bytes& png, bool premultiply,
                                               plat::Point extra = {}, plat::Point pos = {}) {
  PngFile file(view(png), premultiply, "icon");
  auto pb = std::make_unique<fb::ManagedPixelBuffer>(file.getPf(), file.getSize() + extra, nullptr);
  file.loadImage(pb.get(), pos);
  return pb;
}

struct KindCase {
  gwtest::PngKind kind;
  uint32_t expected;  // 0x80402010 decoded
  bool alpha;
};

TEST(PngFile, EveryKindDecodesToThirtyTwoBitPixels) {
  const KindCase cases[] = {
      {{PNG_COLOR_TYPE_GRAY}, 0x00404040, false},
      {{PNG_COLOR_TYPE_GRAY, 16}, 0x00404040, false},
      {{PNG_COLOR_TYPE_GRAY_ALPHA}, 0x80404040, true},
      {{PNG_COLOR_TYPE_PALETTE}, 0x00402010, false},
      {{PNG_COLOR_TYPE_PALETTE, 8, false, true}, 0x80402010, true},
      {{PNG_COLOR_TYPE_RGB, 16}, 0x00402010, false},
      {{PNG_COLOR_TYPE_RGB_ALPHA}, 0x80402010, true},
  };
  for (const KindCase& c : cases) {
    Bytes png = gwtest::writePng(2, 1, c.kind, [](int, int) { return 0x80402010u; });
    auto pb = decode(png, false);
    EXPECT_EQ(pixelAt(pb, 1, 0), c.expected) << c.kind.colourType << "/" << c.kind.bitDepth;
    EXPECT_EQ(pb->getPf().alphaMax != 0, c.alpha) << c.kind.colourType;
  }
}

TEST(PngFile, PremultipliesColoursByAlphaRounded) {
  Bytes png = gwtest::writePng(2, 1, {PNG_COLOR_TYPE_RGB_ALPHA},
                               [](int x, int) { return x ? 0x80ff4000u : 0x00ffffffu; });
  auto pb = decode(png, true);
  EXPECT_EQ(pixelAt(pb, 0, 0), 0u);
  EXPECT_EQ(pixelAt(pb, 1, 0), 0x80802000u);
}

TEST(PngFile, InterlacedImageDecodesLikeStoredOne) {
  auto pattern = [](int x, int y) { return 0xff000000u | uint32_t(x * 37 + y * 11) << 8 | x; };
  auto plain = decode(gwtest::writePng(9, 7, {2}, pattern), false);
  auto laced = decode(gwtest::writePng(9, 7, {2, 8, true}, pattern), false);
  for (int y = 0; y < 7; y++)
    for (int x = 0; x < 9; x++) ASSERT_EQ(pixelAt(laced, x, y), pixelAt(plain, x, y)) << x << y;
}

TEST(PngFile, LoadsAtThePositionGiven) {
  Bytes png = gwtest::writePng(1, 1, {PNG_COLOR_TYPE_RGB}, [](int, int) { return 0xffffffu; });
  auto pb = decode(png, false, {3, 2}, {3, 2});
  EXPECT_EQ(pixelAt(pb, 3, 2), 0xffffffu);
  EXPECT_EQ(pixelAt(pb, 0, 0), 0u);
}

TEST(PngFile, BadDataIsReportedWithTheImageName) {
  Bytes good = gwtest::writePng(4, 4, {PNG_COLOR_TYPE_RGB}, [](int, int) { return 0u; });
  Bytes badCrc = good;
  badCrc[20] ^= 1;  // inside the header chunk
  Bytes huge = gwtest::writePng(40000, 1, {PNG_COLOR_TYPE_GRAY}, [](int, int) { return 0u; });
  const struct {
    Bytes data;
    const char* name;
    const char* message;
  } cases[] = {
      {Bytes(good.begin(), good.begin() + 20), "icon", "Bad PNG data: icon"},
      {Bytes(good.begin(), good.begin() + 20), nullptr, "Bad PNG data: <unknown>"},
      {Bytes(good.begin() + 1, good.end()), "icon", "Not a PNG file: icon"},
      {badCrc, "icon", "IHDR: CRC error: icon"},
      {huge, "icon", "Image of 40000x1 pixels is too large: icon"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(gwtest::failureOf([&] { PngFile(view(c.data), false, c.name); }), c.message);
}

TEST(PngFile, DataEndingInsideThePixelsFailsTheLoad) {
  Bytes png = gwtest::writePng(64, 64, {2}, [](int x, int y) { return uint32_t(x * y * 997); });
  png.resize(png.size() / 2);
  EXPECT_EQ(gwtest::failureOf([&] { decode(png, false); }), "Bad PNG data: icon");
}

}  // namespace
}  // namespace gfxutil
