#include "lib1/plat/Geometry.h"

#include <gtest/gtest.h>

using plat::Point;
using plat::Rect;

TEST(Rect, MovingByAPointMovesBothCorners) {
  EXPECT_EQ(Rect(1, 2, 3, 4) + Point(10, 20), Rect(11, 22, 13, 24));
  EXPECT_EQ(Rect(1, 2, 3, 4) - Point(1, 2), Rect(Point(0, 0), Point(2, 2)));
}

TEST(Rect, IsEmptyWithoutAreaAndWithCornersSwapped) {
  EXPECT_FALSE(Rect(1, 2, 11, 7).isEmpty());
  for (Rect e : {Rect(), Rect(0, 0, 10, 0), Rect(0, 0, 0, 10), Rect(5, 5, 1, 9)})
    EXPECT_TRUE(e.isEmpty());
}
