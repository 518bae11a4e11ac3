#include "lib2/gfxutil/Scaler.h"

#include <gtest/gtest.h>

#include "lib1/plat/DString.h"
#include "lib2/fb/PixelBuffer.h"
#include "tests/support/Failure.h"

using fb::PixelFormat;
using plat::Point;

namespace {

// A 12-bit format would otherwise pass for 8 bits.
TEST(ChooseScaleFnDeathTest, WidthsOtherThanWholeBytesAreFatal) {
  PixelFormat odd(12, 12, false, true, 15, 15, 15, 8, 4, 0);
  EXPECT_DEATH(gfxutil::chooseScaleFn(odd, PixelFormat::rgb888()), "bpp % 8 == 0");
}

// Reports a size without holding pixels: the refusal comes before any read.
struct SizeOnlySource : fb::PixelBuffer {
  explicit SizeOnlySource(Point size)
      : fb::PixelBuffer(PixelFormat::rgb888(), size.x, size.y, nullptr) {}
  const unsigned char* getPixelsR(const plat::Rect&, int*) override { return nullptr; }
};

std::string refusal(Point from, Point to, const PixelFormat& pf, int width = 1) {
  SizeOnlySource src(from);
  gfxutil::Scaler scaler;
  scaler.setSourcePb(&src, true);
  scaler.setPf(pf);
  scaler.setDstSz(to);
  uint32_t out[2];
  return gwtest::failureOf([&] { scaler.getImage(out, plat::Rect(0, 0, width, 1), 0); });
}

TEST(Scaler, MissingKernelIsACatchableFailureUnlessNothingIsAsked) {
  EXPECT_NE(refusal({4, 2}, {2, 1}, PixelFormat::argb8()).find("'scaleFn' failed"),
            std::string::npos);
  EXPECT_EQ(refusal({4, 2}, {2, 1}, PixelFormat::argb8(), 0), "(none)");
}

// Grid products of 2^31 or more, or a source so large its reciprocal is 0.
TEST(Scaler, SizesBeyondTheGridAreRefused) {
  const Point cases[][2] = {
      {{4, 2}, {1 << 29, 1}}, {{1, 3}, {1, 1 << 30}}, {{(1 << 23) + 1, 1}, {1, 1}}};
  for (const auto& [from, to] : cases)
    EXPECT_EQ(
        refusal(from, to, PixelFormat::rgb888()),
        plat::DPrintf("Cannot scale %dx%d pixels to %dx%d: too large", from.x, from.y, to.x, to.y)
            .get());
}

}  // namespace
