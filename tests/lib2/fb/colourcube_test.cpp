#include "lib2/fb/ColourCube.h"

#include <gtest/gtest.h>

using fb::Colour;
using fb::ColourCube;

TEST(ColourCube, ColoursAndPixelsMeetAtRedMajorCells) {
  ColourCube cube(6, 6, 6);
  EXPECT_EQ(cube.rgb888ToPixel({128, 128, 128}), 129u);
  EXPECT_EQ(cube.rgb888ToPixel({300, -5, 1000}), 185u);  // clamped, not past the table
  EXPECT_EQ(ColourCube(2, 3, 4).rgb888ToPixel({255, 128, 85}), 17u);
}

// Outside the cube, and cell numbers once pixels are allocated, are no pixel.
TEST(ColourCube, PixelsOutsideTheCubeLeaveTheOutputAlone) {
  ColourCube cube(2, 2, 2);
  for (int i = 0; i < 8; i++) cube.setEntry(i, unsigned(200 + i));
  for (unsigned pixel : {7u, 8u, 0x80000000u, 0xFFFFFFFFu}) {
    Colour c{1, 2, 3};
    cube.pixelToRgb888(pixel, &c);
    EXPECT_EQ(c, (Colour{1, 2, 3})) << pixel;
  }
  EXPECT_EQ(cube.rgb888ToPixel({255, 255, 255}), 207u);
}

TEST(ColourCubeDeathTest, FewerThanTwoLevelsIsAContractBreach) {
  EXPECT_DEATH(ColourCube(1, 6, 6), "colour cube 1x6x6");
  EXPECT_DEATH(ColourCube(6, 6, 0), "colour cube 6x6x0");
}
