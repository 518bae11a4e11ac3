#include "lib1/plat/Geometry.h"

#include <gtest/gtest.h>

namespace {

using plat::Point;
using plat::Rect;

TEST(Geometry, PointsAndMovedRects) {
  Point a(3, -4), b(10, 20);
  EXPECT_EQ(a + b - Point(1, 1), Point(12, 15));
  EXPECT_EQ(-a, Point(-3, 4));
  EXPECT_NE(a, Point(-4, 3));
  EXPECT_EQ(Rect(1, 2, 3, 4) + b, Rect(11, 22, 13, 24));
  EXPECT_EQ(Rect(1, 2, 3, 4) - Point(1, 2), Rect(Point(0, 0), Point(2, 2)));
}

TEST(Geometry, SizeEmptinessAndMembership) {
  Rect r(1, 2, 11, 7);
  EXPECT_EQ(Point(r.width(), r.height()), Point(10, 5));
  EXPECT_FALSE(r.isEmpty());
  for (Rect e : {Rect(), Rect(0, 0, 10, 0), Rect(0, 0, 0, 10), Rect(5, 5, 1, 9)})
    EXPECT_TRUE(e.isEmpty());
  // Left and top edges inside, right and bottom outside.
  EXPECT_TRUE(r.contains(Point(1, 2)) && r.contains(Point(10, 6)));
  EXPECT_FALSE(r.contains(Point(11, 2)) || r.contains(Point(1, 7)));
  EXPECT_TRUE(r.encloses(r));
  EXPECT_FALSE(r.encloses(Rect(1, 2, 12, 7)) || r.encloses(Rect(0, 2, 5, 5)));
}

TEST(Geometry, IntersectAndUnion) {
  Rect a(0, 0, 10, 10), b(20, 5, 30, 15);
  EXPECT_EQ(a.intersect(Rect(5, -5, 20, 5)), Rect(5, 0, 10, 5));
  // Disjoint: empty, with the top-left pulled back onto the bottom-right.
  EXPECT_EQ(a.intersect(b), Rect(10, 5, 10, 10));
  EXPECT_TRUE(a.intersect(Rect(10, 0, 20, 10)).isEmpty());  // touching edges
  EXPECT_EQ(a.unionBoundary(b), Rect(0, 0, 30, 15));
  // An empty rectangle adds nothing, wherever it lies.
  Rect far(-100, -100, -100, 50);
  EXPECT_EQ(a.unionBoundary(far), a);
  EXPECT_EQ(far.unionBoundary(a), a);
}

}  // namespace
