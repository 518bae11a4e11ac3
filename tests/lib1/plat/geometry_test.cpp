#include "lib1/plat/Geometry.h"

#include <gtest/gtest.h>

#include "lib1/plat/StrUtil.h"

namespace {

using plat::Point;
using plat::Rect;

TEST(Geometry, PointsRectsAndRoundedDivision) {
  EXPECT_EQ(Point(3, -4) + Point(10, 20) - Point(1, 1), Point(12, 15));
  EXPECT_NE(Point(3, -4), Point(-4, 3));
  EXPECT_EQ(Rect(1, 2, 3, 4) + Point(10, 20), Rect(11, 22, 13, 24));  // both corners move
  EXPECT_EQ(Rect(1, 2, 3, 4) - Point(1, 2), Rect(Point(0, 0), Point(2, 2)));
  Rect r(1, 2, 11, 7);
  EXPECT_EQ(Point(r.width(), r.height()), Point(10, 5));
  EXPECT_FALSE(r.isEmpty());
  for (Rect e : {Rect(), Rect(0, 0, 10, 0), Rect(0, 0, 0, 10), Rect(5, 5, 1, 9)})
    EXPECT_TRUE(e.isEmpty());

  EXPECT_EQ(plat::divrndNN(7, 2), 4);
  EXPECT_EQ(plat::divrndNN(5, 3), 2);
  EXPECT_EQ(plat::divrndNN(5, 0), 0);
}

}  // namespace
