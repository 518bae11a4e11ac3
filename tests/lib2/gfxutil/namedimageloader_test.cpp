#include "lib2/gfxutil/NamedImageLoader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/BuiltInResource.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "tests/support/Failure.h"
#include "tests/support/PngWriter.h"

namespace gfxutil {
namespace {

constexpr uint32_t red = 0xffff0000, green = 0xff00ff00;

void add(const char* resource, int w, int h, uint32_t colour) {
  auto fill = [=](int, int) { return colour; };
  builtInResourceAdd(resource, gwtest::keptPng(w, h, {PNG_COLOR_TYPE_RGB_ALPHA}, fill));
}

class NamedImageLoaderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    add("twice@2x.png", 32, 32, green);
    add("plain.png", 16, 16, red);
    add("both.png", 16, 16, red);
    add("both@2x.png", 32, 32, green);
    add("odd.png", 16, 16, red);
    add("odd@2x.png", 30, 30, green);
    add("exact16x16.png", 16, 12, red);
    add("fits16x16.png", 16, 16, red);
  }
  void TearDown() override { ppmm.setParam(4, 0); }
};

struct SearchCase {
  const char* name;
  int density;
  plat::Point wanted, size;
  uint32_t colour;  // which version was drawn: plain red, "@2x" green
};

TEST_F(NamedImageLoaderTest, PicksAndScalesTheVersionForDensityAndSize) {
  const SearchCase cases[] = {
      {"twice", 4, {0, 0}, {16, 16}, green}, {"twice", 8, {0, 0}, {32, 32}, green},
      {"plain", 4, {0, 0}, {16, 16}, red},   {"plain", 8, {0, 0}, {32, 32}, red},
      {"both", 3, {0, 0}, {12, 12}, red},    {"both", 4, {0, 0}, {16, 16}, red},
      {"both", 5, {0, 0}, {20, 20}, green},  {"both", 8, {0, 0}, {32, 32}, green},
      {"both", 10, {0, 0}, {40, 40}, green}, {"both", 4, {40, 40}, {40, 40}, green},
      {"fits", 4, {16, 16}, {16, 16}, red},
  };
  for (const SearchCase& c : cases) {
    ASSERT_TRUE(ppmm.setParam(c.density, 0));
    NamedImageLoader loader(c.name, c.wanted, false);
    fb::ManagedPixelBuffer pb(&loader);
    EXPECT_EQ(loader.getSize(), c.size) << c.name << " at " << c.density;
    uint32_t centre;
    memcpy(&centre, pb.getPixelsR(plat::Rect(5, 5, 6, 6), nullptr), 4);
    EXPECT_EQ(centre, c.colour) << c.name << " at " << c.density;
  }
}

TEST_F(NamedImageLoaderTest, VersionsThatContradictTheirNamesFail) {
  const struct {
    const char* name;
    int density;
    plat::Point wanted;
    const char* message;
  } cases[] = {
      {"odd", 5, {0, 0}, "Badly sized image 'odd@2x'"},
      {"exact", 4, {16, 16}, "Badly sized image 'exact16x16'"},
      {"missing", 4, {0, 0}, "Bad image name 'missing'"},
      {"missing", 4, {16, 16}, "Bad image name 'missing'"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(ppmm.setParam(c.density, 0));
    EXPECT_EQ(gwtest::failureOf([&] { NamedImageLoader(c.name, c.wanted, false); }), c.message);
  }
}

}  // namespace
}  // namespace gfxutil
