#include "lib2/gfxutil/NamedImagePixelBuffer.h"

#include <gtest/gtest.h>
#include <png.h>

#include "lib2/gfxutil/BuiltInResource.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/PngWriter.h"

namespace gfxutil {
namespace {

plat::Point sizeOf(const plat::SharedPtr<NamedImagePixelBuffer>& pb) {
  return plat::Point(pb->getWidth(), pb->getHeight());
}

TEST(NamedImagePixelBuffer, SameNameAndSizeShareOneBuffer) {
  builtInResourceAdd("shared@2x.png",
                     gwtest::keptPng(8, 8, {PNG_COLOR_TYPE_GRAY}, [](int, int) { return 0u; }));
  auto natural = getNamedImagePb("shared", {0, 0});
  EXPECT_EQ(sizeOf(natural), plat::Point(4, 4));
  EXPECT_EQ(getNamedImagePb("shared", {0, 0}).get(), natural.get());
  EXPECT_EQ(getNamedImagePb("shared", {4, 4}).get(), natural.get());
  auto other = getNamedImagePb("shared", {6, 6});
  EXPECT_NE(other.get(), natural.get());
  EXPECT_EQ(sizeOf(other), plat::Point(6, 6));
  EXPECT_EQ(getNamedImagePb("shared", {6, 6}).get(), other.get());
}

TEST(NamedImagePixelBuffer, MissingImageIsAnEmptyCachedBufferAndALogLine) {
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("NamedImagePixelBuffer"), &logger,
                            plat::LogWriter::LEVEL_DEBUG);
  auto pb = getNamedImagePb("nothere", {0, 0});
  EXPECT_EQ(sizeOf(pb), plat::Point(0, 0));
  EXPECT_EQ(getNamedImagePb("nothere", {0, 0}).get(), pb.get());
  ASSERT_EQ(logger.lines.size(), 1u);
  EXPECT_EQ(logger.lines[0].text, "Bad image name 'nothere'");
}

TEST(NamedImagePixelBuffer, NullOrEmptyNameSearchesNothing) {
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("NamedImagePixelBuffer"), &logger,
                            plat::LogWriter::LEVEL_DEBUG);
  EXPECT_EQ(sizeOf(getNamedImagePb(nullptr, {0, 0})), plat::Point(0, 0));
  EXPECT_EQ(sizeOf(getNamedImagePb("", {16, 16})), plat::Point(0, 0));
  EXPECT_TRUE(logger.lines.empty());
}

// Rows after the failure were never decoded; showing them would show garbage.
TEST(NamedImagePixelBuffer, ImageFailingPartWayIsCachedEmpty) {
  plat::CBuf<unsigned char> png = gwtest::keptPng(
      64, 64, {PNG_COLOR_TYPE_RGB}, [](int x, int y) { return uint32_t(x * y * 997); });
  builtInResourceAdd("cut@2x.png", {png.length / 2, png.data});
  EXPECT_EQ(sizeOf(getNamedImagePb("cut", {0, 0})), plat::Point(0, 0));
}

}  // namespace
}  // namespace gfxutil
