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
  for (fb::RgnRect b : {fb::RgnRect(0, 0, 2, 2), fb::RgnRect(4, 0, 6, 2), fb::RgnRect(0, 5, 2, 6),
                        fb::RgnRect(4, 5, 6, 6), fb::RgnRect(8, 5, 9, 6)})
    r.assign_union(r, fb::Region(b));
  EXPECT_EQ(visit(r, 1, 1), "0,0 4,0 0,5 4,5 8,5 ");
  EXPECT_EQ(visit(r, -1, 1), "4,0 0,0 8,5 4,5 0,5 ");
  EXPECT_EQ(visit(r, 1, -1), "0,5 4,5 8,5 0,0 4,0 ");
  EXPECT_EQ(visit(r, -1, -1), "8,5 4,5 0,5 4,0 0,0 ");
  EXPECT_EQ(visit(fb::Region(fb::RgnRect(3, 4, 5, 6)), -1, -1), "3,4 ");
  EXPECT_EQ(visit(fb::Region(), 1, -1), "");
}

TEST(RegionIteratorDeathTest, DirectionsAreOneOrMinusOne) {
  EXPECT_DEATH(fb::RegionIterator(fb::Region(), 0, 1), "xdir");
}

}  // namespace
