#include "lib2/fb/ColourMap.h"

#include <gtest/gtest.h>

#include <vector>

using fb::Colour;

namespace {

// A map over a plain list; pixels past its end write nothing.
struct ListMap : fb::ColourMap {
  explicit ListMap(std::vector<Colour> entries) : colours(std::move(entries)) {}
  void pixelToRgb888(unsigned p, Colour* out) const override {
    if (p < colours.size()) *out = colours[p];
  }
  int numColours() const override { return int(colours.size()); }
  std::vector<Colour> colours;
};

}  // namespace

TEST(ColourMap, NearestEntryWinsAndTiesGoToTheLowestIndex) {
  ListMap map({{0, 0, 0}, {255, 0, 0}, {250, 10, 0}, {255, 0, 0}});
  EXPECT_EQ(map.rgb888ToPixel({255, 0, 0}), 1u);
  EXPECT_EQ(map.rgb888ToPixel({249, 12, 1}), 2u);
  EXPECT_EQ(ListMap({}).rgb888ToPixel({1, 2, 3}), 0u);
}
