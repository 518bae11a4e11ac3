#include "lib2/gfxutil/NamedImagePixelBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <list>

#include "lib2/gfxutil/BuiltInResource.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/PngWriter.h"

namespace gfxutil {
namespace {

// Plain versions are black, "@2x" ones white: the pixels tell which was
// chosen. The registry borrows the bytes: they stay until the process ends.

void add(const char* resource, int w, int h, size_t cut = 0) {
  static std::list<gwtest::Bytes> kept;
  gwtest::Bytes grey(w * h, strstr(resource, "@2x") ? 0xff : 0);
  for (size_t i = 0; cut && i < grey.size(); i++) grey[i] = uint8_t(i * i);
  gwtest::Bytes& png = kept.emplace_back(gwtest::writePng(w, h, 0, 8, false, grey));
  builtInResourceAdd(resource, {int(png.size() - cut), png.data()});
}

class NamedImageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* name : {"plain.png", "both.png", "odd.png"}) add(name, 16, 16);
    add("both@2x.png", 32, 32);
    add("odd@2x.png", 30, 30);
    add("exact16x16.png", 16, 12);
    add("cut@2x.png", 64, 64, 100);  // noise, so that the cut falls in the pixels
  }
  void TearDown() override { ppmm.setParam(4, 0); }
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route{plat::LogWriter::getLogWriter("NamedImagePixelBuffer"), &logger, 100};
};

TEST_F(NamedImageTest, PicksAndScalesTheVersionForDensityAndSize) {
  // "both" (or "plain"), density, side asked for, side given, the "@2x" version
  const int cases[][5] = {{0, 8, 0, 32, 0},  {1, 3, 0, 12, 0},  {1, 4, 0, 16, 0}, {1, 5, 0, 20, 1},
                          {1, 10, 0, 40, 1}, {1, 4, 40, 40, 1}, {1, 6, 16, 16, 0}};
  for (const auto& [both, density, wanted, side, twice] : cases) {
    ASSERT_TRUE(ppmm.setParam(density, 0));
    NamedImagePixelBuffer pb(both ? "both" : "plain", plat::Point(wanted, wanted));
    SCOPED_TRACE(testing::Message() << both << " at " << density << " asked " << wanted);
    EXPECT_EQ(plat::Point(pb.getWidth(), pb.getHeight()), plat::Point(side, side));
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(pb.getPixelsR({5, 5, 6, 6}, nullptr)),
              twice ? 0xffffffu : 0u);
  }
}

// Each is logged once and cached as an empty buffer; no name is no search.
// An image cut short is emptied: rows after the failure were never decoded.
TEST_F(NamedImageTest, MissingOrBrokenImagesAreEmptyAndLoggedOnce) {
  ASSERT_TRUE(ppmm.setParam(5, 0));
  const std::pair<const char*, int> requests[] = {{"odd", 0}, {"exact", 16}, {"missing", 0},
                                                  {"cut", 0}, {"", 16},      {nullptr, 0}};
  for (int again = 0; again < 2; again++)
    for (auto [name, side] : requests)
      EXPECT_EQ(getNamedImagePb(name, {side, side})->getWidth(), 0);
  std::vector<std::string> texts;
  for (const auto& line : logger.lines) texts.push_back(line.text);
  EXPECT_EQ(texts, std::vector<std::string>({"Badly sized image 'odd@2x'",
                                             "Badly sized image 'exact16x16'",
                                             "Bad image name 'missing'", "Bad PNG data: cut@2x"}));
}

}  // namespace
}  // namespace gfxutil
