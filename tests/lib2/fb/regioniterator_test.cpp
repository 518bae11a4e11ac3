#include "lib2/fb/RegionIterator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string visit(const fb::Region& r, int xdir, int ydir) {
  std::string out;
  fb::RegionIterator it(r, xdir, ydir);
  for (fb::RgnRect b; it.next(&b);) out += std::to_string(b.x1) + "," + std::to_string(b.y1) + " ";
  return out;
}

TEST(RegionIterator, VisitsBandsAndRectanglesInTheDirectionsAsked) {
  fb::Region r;
  r.unionOfRects({{0, 0, 2, 2}, {4, 0, 6, 2}, {0, 5, 2, 6}, {4, 5, 6, 6}, {8, 5, 9, 6}});
  EXPECT_EQ(visit(r, 1, 1), "0,0 4,0 0,5 4,5 8,5 ");
  EXPECT_EQ(visit(r, -1, 1), "4,0 0,0 8,5 4,5 0,5 ");
  EXPECT_EQ(visit(r, -1, -1), "8,5 4,5 0,5 4,0 0,0 ");
  EXPECT_EQ(visit(fb::Region(), 1, -1), "");
}

TEST(RegionIteratorDeathTest, DirectionsAreOneOrMinusOne) {
  EXPECT_DEATH(fb::RegionIterator(fb::Region(), 0, 1), "xdir");
}

}  // namespace
