#include "lib1/plat/Geometry.h"

#include <gtest/gtest.h>

namespace {

using plat::Point;
using plat::Rect;

TEST(Point, MemberwiseArithmetic) {
  Point a(3, -4), b(10, 20);
  EXPECT_EQ(a + b, Point(13, 16));
  EXPECT_EQ(b - a, Point(7, 24));
  EXPECT_EQ(-a, Point(-3, 4));
  a += b;
  EXPECT_EQ(a, Point(13, 16));
  a -= b;
  EXPECT_EQ(a, Point(3, -4));
  EXPECT_NE(a, Point(3, 4));
  EXPECT_EQ(Point(), Point(0, 0));
}

TEST(Rect, SizeAndEmptiness) {
  Rect r(1, 2, 11, 7);
  EXPECT_EQ(r.width(), 10);
  EXPECT_EQ(r.height(), 5);
  EXPECT_FALSE(r.isEmpty());
  EXPECT_TRUE(Rect().isEmpty());
  EXPECT_TRUE(Rect(0, 0, 10, 0).isEmpty());
  EXPECT_TRUE(Rect(0, 0, 0, 10).isEmpty());
  EXPECT_TRUE(Rect(5, 5, 1, 9).isEmpty());  // inside out
  EXPECT_EQ(Rect(Point(1, 2), Point(3, 4)), Rect(1, 2, 3, 4));
}

TEST(Rect, ContainsHasInclusiveTopLeftOnly) {
  Rect r(0, 0, 10, 5);
  EXPECT_TRUE(r.contains(Point(0, 0)));
  EXPECT_TRUE(r.contains(Point(9, 4)));
  EXPECT_FALSE(r.contains(Point(10, 0)));
  EXPECT_FALSE(r.contains(Point(0, 5)));
  EXPECT_FALSE(r.contains(Point(-1, 2)));
  EXPECT_FALSE(Rect(3, 3, 3, 9).contains(Point(3, 3)));
}

TEST(Rect, Encloses) {
  Rect r(0, 0, 10, 10);
  EXPECT_TRUE(r.encloses(r));
  EXPECT_TRUE(r.encloses(Rect(2, 2, 5, 5)));
  EXPECT_FALSE(r.encloses(Rect(2, 2, 11, 5)));
  EXPECT_FALSE(r.encloses(Rect(-1, 2, 5, 5)));
  EXPECT_TRUE(r.encloses(Rect(10, 10, 10, 10)));
  EXPECT_FALSE(r.encloses(Rect(11, 11, 11, 11)));
}

TEST(Rect, IntersectClipsAndNeverTurnsInsideOut) {
  Rect a(0, 0, 10, 10);
  EXPECT_EQ(a.intersect(Rect(5, -5, 20, 5)), Rect(5, 0, 10, 5));
  EXPECT_EQ(a.intersect(a), a);
  Rect none = a.intersect(Rect(20, 30, 40, 50));
  EXPECT_TRUE(none.isEmpty());
  EXPECT_GE(none.width(), 0);
  EXPECT_GE(none.height(), 0);
  EXPECT_EQ(none, Rect(10, 10, 10, 10));
  // Touching edges share no pixel.
  EXPECT_TRUE(a.intersect(Rect(10, 0, 20, 10)).isEmpty());
}

TEST(Rect, UnionIgnoresEmptyRects) {
  Rect a(0, 0, 10, 10), b(20, 5, 30, 15);
  EXPECT_EQ(a.unionBoundary(b), Rect(0, 0, 30, 15));
  EXPECT_EQ(b.unionBoundary(a), Rect(0, 0, 30, 15));
  Rect emptyFarAway(-100, -100, -100, 50);
  EXPECT_EQ(a.unionBoundary(emptyFarAway), a);
  EXPECT_EQ(emptyFarAway.unionBoundary(a), a);
  EXPECT_TRUE(Rect().unionBoundary(Rect(5, 5, 5, 5)).isEmpty());
}

TEST(Rect, MovingByAPoint) {
  Rect r(1, 2, 3, 4);
  EXPECT_EQ(r + Point(10, 20), Rect(11, 22, 13, 24));
  EXPECT_EQ(r - Point(1, 2), Rect(0, 0, 2, 2));
  EXPECT_EQ((r + Point(-5, 7)).width(), r.width());
}

}  // namespace
