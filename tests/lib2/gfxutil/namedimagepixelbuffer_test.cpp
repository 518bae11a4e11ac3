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
constexpr uint32_t black = 0, white = 0xffffff;

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
  const struct {
    const char* name;
    int density, wanted, side;
    uint32_t colour;
  } cases[] = {{"plain", 8, 0, 32, black},
               {"both", 4, 0, 16, black},
               {"both", 5, 0, 20, white},
               {"both", 4, 40, 40, white},
               {"both", 6, 16, 16, black}};
  for (const auto& c : cases) {
    ASSERT_TRUE(ppmm.setParam(c.density, 0));
    NamedImagePixelBuffer pb(c.name, plat::Point(c.wanted, c.wanted));
    SCOPED_TRACE(testing::Message() << c.name << " at " << c.density);
    EXPECT_EQ(plat::Point(pb.getWidth(), pb.getHeight()), plat::Point(c.side, c.side));
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(pb.getPixelsR({5, 5, 6, 6}, nullptr)), c.colour);
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
