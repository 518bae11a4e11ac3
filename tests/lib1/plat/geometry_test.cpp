#include "lib1/plat/Geometry.h"

#include <gtest/gtest.h>

using plat::Rect;

TEST(Rect, IsEmptyWithoutAreaAndWithCornersSwapped) {
  EXPECT_FALSE(Rect(1, 2, 11, 7).isEmpty());
  for (Rect e : {Rect(), Rect(0, 0, 10, 0), Rect(0, 0, 0, 10), Rect(5, 5, 1, 9)})
    EXPECT_TRUE(e.isEmpty());
}
