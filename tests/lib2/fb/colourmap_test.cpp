#include "lib2/fb/ColourMap.h"

#include <gtest/gtest.h>

#include <vector>

using fb::Colour;

namespace {

// A writable map over a plain list of colours.
class ListMap : public fb::ColourMapRW {
 public:
  explicit ListMap(std::vector<Colour> entries) : colours(std::move(entries)) {}
  void pixelToRgb888(unsigned pixel, Colour* out) const override {
    if (pixel < colours.size()) *out = colours[pixel];
  }
  int numColours() const override { return int(colours.size()); }
  void setColour(int index, const Colour& c) override {
    if (index >= int(colours.size())) colours.resize(size_t(index) + 1);
    colours[size_t(index)] = c;
  }
  std::vector<Colour> colours;
};

// Entry 0 writes nothing: the search must see it as black, not as whatever
// the previous entry left behind.
class PartialMap : public fb::ColourMap {
 public:
  void pixelToRgb888(unsigned pixel, Colour* out) const override {
    if (pixel == 1) *out = Colour{200, 200, 200};
  }
  int numColours() const override { return 2; }
};

}  // namespace

TEST(ColourMap, NearestEntryWinsAndTiesGoToTheLowestIndex) {
  ListMap map({{0, 0, 0}, {255, 0, 0}, {250, 10, 0}, {255, 0, 0}});
  EXPECT_EQ(map.rgb888ToPixel({255, 0, 0}), 1u);
  EXPECT_EQ(map.rgb888ToPixel({249, 12, 1}), 2u);
  EXPECT_EQ(map.rgb888ToPixel({10, 10, 10}), 0u);
  ListMap twice({{9, 9, 9}, {9, 9, 9}});
  EXPECT_EQ(twice.rgb888ToPixel({0, 0, 0}), 0u);
  EXPECT_EQ(ListMap({}).rgb888ToPixel({1, 2, 3}), 0u);
  EXPECT_FALSE(map.isOrthogonal());
}

TEST(ColourMap, SearchStartsEachEntryFromBlack) {
  PartialMap map;
  EXPECT_EQ(map.rgb888ToPixel({0, 0, 0}), 0u);
  EXPECT_EQ(map.rgb888ToPixel({190, 190, 190}), 1u);
}

TEST(ColourMap, FarColoursDoNotOverflowTheDistance) {
  // Squared in an int, the second entry's distance would wrap negative and win.
  ListMap map({{0, 0, 0}, {27255, 27255, 27255}});
  EXPECT_EQ(map.rgb888ToPixel({255, 255, 255}), 0u);
}

TEST(ColourMap, CopyFromTakesEveryEntry) {
  ListMap src({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  ListMap dst({{0, 0, 0}});
  dst.copyFrom(&src);
  EXPECT_EQ(dst.colours, src.colours);
}
