#include "lib2/gfxutil/PngFile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/Failure.h"
#include "tests/support/PngWriter.h"

namespace gfxutil {
namespace {

using gwtest::Bytes;

// Loaded at (1,1) into a buffer one pixel larger each way; alpha maximum last.
std::vector<uint32_t> decode(const Bytes& png, bool premultiply) {
  PngFile file({int(png.size()), png.data()}, premultiply, "icon");
  fb::ManagedPixelBuffer pb(file.getPf(), file.getSize() + plat::Point(1, 1), nullptr);
  file.loadImage(&pb, plat::Point(1, 1));
  std::vector<uint32_t> px(size_t(pb.getWidth()) * pb.getHeight());
  memcpy(px.data(), pb.getPixelsR(pb.getRect(), nullptr), px.size() * 4);
  px.push_back(pb.getPf().alphaMax);
  return px;
}

TEST(PngFile, EveryKindDecodesToThirtyTwoBitPixelsAtThePosition) {
  const struct {
    int type, depth;
    Bytes samples, trns;
    uint32_t pixel, alphaMax;
  } cases[] = {{0, 16, {0x40, 0x40}, {}, 0x00404040, 0},
               {4, 8, {0x40, 0x80}, {}, 0x80202020, 255},
               {3, 8, {0}, {0x80}, 0x80201008, 255},
               {2, 16, {0x40, 0, 0x20, 0, 0x10, 0}, {}, 0x00402010, 0},
               {6, 8, {0xff, 0x40, 0x00, 0x80}, {}, 0x80802000, 255}};
  for (const auto& c : cases) {
    Bytes png =
        gwtest::writePng(1, 1, c.type, c.depth, false, c.samples, {0x40, 0x20, 0x10}, c.trns);
    EXPECT_EQ(decode(png, true), std::vector<uint32_t>({0, 0, 0, c.pixel, c.alphaMax})) << c.type;
  }
}

TEST(PngFile, InterlacedImageDecodesLikeStoredOne) {
  Bytes samples(9 * 7 * 3);
  for (size_t i = 0; i < samples.size(); i++) samples[i] = uint8_t(i * 37);
  EXPECT_EQ(decode(gwtest::writePng(9, 7, 2, 8, true, samples), false),
            decode(gwtest::writePng(9, 7, 2, 8, false, samples), false));
}

TEST(PngFile, BadDataIsReportedWithTheImageName) {
  Bytes good = gwtest::writePng(4, 4, 0, 8, false, Bytes(16));
  Bytes huge = gwtest::writePng(40000, 1, 0, 8, false, Bytes(40000));
  const struct {
    Bytes data;
    const char* name;
    const char* message;
  } cases[] = {{Bytes(good.begin(), good.begin() + 20), "icon", "Bad PNG data: icon"},
               {Bytes(good.begin(), good.begin() + 20), nullptr, "Bad PNG data: <unknown>"},
               {Bytes(good.begin() + 1, good.end()), "icon", "Not a PNG file: icon"},
               {huge, "icon", "Image of 40000x1 pixels is too large: icon"},
               {Bytes(good.begin(), good.end() - 20), "icon",
                "Bad PNG data: icon"}};  // the last: in the pixels
  for (const auto& c : cases)
    EXPECT_EQ(gwtest::failureOf([&] {
                PngFile png({int(c.data.size()), c.data.data()}, false, c.name);
                fb::ManagedPixelBuffer pb(&png);
              }),
              c.message);
}

}  // namespace
}  // namespace gfxutil
