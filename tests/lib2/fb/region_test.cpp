#include "lib2/fb/Region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "lib1/plat/Exception.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib2/fb/MiRegionOps.h"
#include "lib2/fb/RegionIterator.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"

using fb::Region;
using fb::RgnRect;

namespace {

constexpr int kGrid = 64;
using Bitmap = std::bitset<kGrid * kGrid>;

std::vector<RgnRect> rectsOf(const Region& r) {
  std::vector<RgnRect> out;
  fb::RegionIterator it(r);
  for (RgnRect b; it.next(&b);) out.push_back(b);
  return out;
}

Bitmap pixels(const Region& r) {
  Bitmap bm;
  for (const RgnRect& b : rectsOf(r))
    for (int y = b.y1; y < b.y2; y++)
      for (int x = b.x1; x < b.x2; x++) bm.set(y * kGrid + x);
  return bm;
}

// The band rules, checked independently of the code under test.
testing::AssertionResult banded(const Region& r) {
  auto fail = [&](const char* why) {
    return testing::AssertionFailure() << why << "\n" << Region::ToString(r).get();
  };
  // Each band as its y-range followed by its spans.
  std::vector<std::vector<int>> bands;
  RgnRect box(r.extents.x1, r.extents.y1, r.extents.x1, r.extents.y1);
  for (const RgnRect& b : rectsOf(r)) {
    if (b.x1 >= b.x2 || b.y1 >= b.y2) return fail("empty rectangle");
    if (bands.empty() || bands.back()[0] != b.y1) {
      if (!bands.empty() && b.y1 < bands.back()[1]) return fail("bands overlap or out of order");
      bands.push_back({b.y1, b.y2});
    } else if (b.y2 != bands.back()[1] || b.x1 <= bands.back().back()) {
      return fail("band is ragged, or its rectangles overlap or touch");
    }
    bands.back().insert(bands.back().end(), {b.x1, b.x2});
    box = bands.size() == 1 && bands[0].size() == 4
              ? b
              : RgnRect(std::min(box.x1, b.x1), box.y1, std::max(box.x2, b.x2), b.y2);
  }
  if (!(box == RgnRect(r.extents))) return fail("extents are not the bounding box");
  if (bands.size() == 1 && bands[0].size() == 4 && r.data) return fail("one rectangle in a block");
  for (size_t i = 1; i < bands.size(); i++)
    if (bands[i - 1][1] == bands[i][0] && std::equal(bands[i - 1].begin() + 2, bands[i - 1].end(),
                                                     bands[i].begin() + 2, bands[i].end()))
      return fail("touching bands with equal spans");
  return testing::AssertionSuccess();
}

struct Sample {
  Region region;
  Bitmap bits;
};

Sample randomRegion(std::mt19937& rng) {
  std::uniform_int_distribution<int> count(0, 8), coord(0, kGrid);
  std::vector<plat::Rect> rs;
  Sample s;
  for (int n = count(rng); n > 0; n--) {
    int x1 = coord(rng), x2 = coord(rng), y1 = coord(rng), y2 = coord(rng);
    rs.emplace_back(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    for (int y = rs.back().tl.y; y < rs.back().br.y; y++)
      for (int x = rs.back().tl.x; x < rs.back().br.x; x++) s.bits.set(y * kGrid + x);
  }
  s.region.unionOfRects(rs);
  return s;
}

// An operation of the region and the same on bitmaps.
struct Op {
  void (Region::*apply)(const Region&, const Region&);
  Bitmap (*bits)(const Bitmap&, const Bitmap&);
};

class RegionAlgebra : public testing::TestWithParam<Op> {};

TEST_P(RegionAlgebra, MatchesBitmapOracleIncludingAliasedOperands) {
  std::mt19937 rng(20261206);
  auto [apply, bits] = GetParam();
  for (int round = 0; round < 1500; round++) {
    Sample a = randomRegion(rng), b = randomRegion(rng);
    ASSERT_TRUE(banded(a.region));
    ASSERT_EQ(pixels(a.region), a.bits);
    Region fresh, left = a.region, right = b.region, self = a.region;
    (fresh.*apply)(a.region, b.region);
    ASSERT_TRUE(banded(fresh)) << round;
    ASSERT_EQ(pixels(fresh), bits(a.bits, b.bits)) << round;
    (left.*apply)(left, b.region);
    (right.*apply)(a.region, right);
    (self.*apply)(self, self);
    ASSERT_TRUE(banded(left) && banded(right) && banded(self)) << round;
    ASSERT_TRUE(left.equals(fresh) && right.equals(fresh)) << round;
    ASSERT_EQ(pixels(self), bits(a.bits, a.bits)) << round;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ops, RegionAlgebra,
    testing::Values(
        Op{&Region::assign_union, [](const Bitmap& a, const Bitmap& b) { return a | b; }},
        Op{&Region::assign_intersect, [](const Bitmap& a, const Bitmap& b) { return a & b; }},
        Op{&Region::assign_subtract, [](const Bitmap& a, const Bitmap& b) { return a & ~b; }}));

// Moving against a coordinate limit cuts off what crosses it, at every column
// of the grid (bands made alike by the clamp included); moving back shows it.
TEST(Region, TranslationAgainstTheLimitsMatchesTheCutBitmap) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> cut(0, kGrid), side(0, 3);
  for (int round = 0; round < 1000; round++) {
    Sample s = randomRegion(rng);
    int k = cut(rng), which = side(rng), at = (which % 2 ? 32767 : -32768) - k;
    plat::Point by = which < 2 ? plat::Point(at, 0) : plat::Point(0, at);
    Region moved = s.region;
    moved.translate(by);
    ASSERT_TRUE(banded(moved)) << round;
    moved.translate(plat::Point(0, 0) - by);
    Bitmap want;
    for (int i = 0; i < kGrid * kGrid; i++) {
      int v = which < 2 ? i % kGrid : i / kGrid;
      want.set(i, s.bits.test(i) && (which % 2 ? v < k : v >= k));
    }
    ASSERT_EQ(pixels(moved), want) << round;
  }
}

Region fromList(const std::vector<plat::Rect>& rs) {
  Region r;
  r.unionOfRects(rs);
  return r;
}

// Merging, subtraction and empty results are checked by the algebra above;
// here construction from out-of-range rectangles.
TEST(Region, ConstructionClampsAndDropsEmptyRectangles) {
  EXPECT_STREQ(Region::ToString(Region(RgnRect(plat::Rect(-40000, 0, 40000, 10)))).get(),
               "num rects   1 extents -32768,0 to 32767,10\n    rect -32768,0 to 32767,10\n");
  EXPECT_STREQ(Region::ToString(Region(RgnRect(5, 5, 5, 9))).get(),
               "num rects   0 extents 0,0 to 0,0\n");
}

TEST(Region, ContainsOnlyPointsInsideItsRectangles) {
  Region r = fromList({{0, 0, 10, 10}, {20, 0, 30, 10}});
  const std::pair<plat::Point, bool> points[] = {
      {{25, 0}, true}, {{9, 9}, true}, {{10, 5}, false}, {{15, 5}, false}, {{0, 10}, false}};
  for (const auto& [p, in] : points) EXPECT_EQ(r.contains(p), in) << p.x << "," << p.y;
}

std::string wire(std::initializer_list<int> v) {
  std::string s;
  for (int x : v) s += {char((x >> 8) & 0xff), char(x & 0xff)};
  return s;
}

TEST(RegionStream, WriteRefusesMoreRectanglesThanTheCountHolds) {
  std::vector<RgnRect> rs;
  for (int y = 0; y < 257; y++)
    for (int x = 0; x < 256; x++) rs.emplace_back(2 * x, 2 * y, 2 * x + 1, 2 * y + 1);
  RgnRect ext(0, 0, 511, 513);
  Region r;
  r.setExtentsAndOrderedRects(&ext, int(rs.size()), rs.data());
  rdr::MemOutStream out;
  EXPECT_THROW(r.write(&out), plat::Exception);
  EXPECT_EQ(out.length(), 0);
}

TEST(RegionStream, ReadRejectsRectanglesThatBreakTheBandRules) {
  const std::string cases[] = {
      wire({0, 0, 0, 5, 5}),                                 // empty, extents not
      wire({1, 5, 5, 5, 9}),                                 // one empty rectangle
      wire({2, 0, 0, 10, 10, 0, 0, 10, 10, 0, 0, 10, 10}),   // overlapping
      wire({2, 0, 0, 20, 10, 0, 0, 10, 10, 10, 0, 20, 10}),  // touching in a band
      wire({2, 0, 0, 10, 20, 0, 10, 10, 20, 0, 0, 10, 10}),  // bands out of order
      wire({2, 0, 0, 10, 20, 0, 0, 10, 10, 0, 10, 10, 20}),  // uncoalesced bands
      wire({2, 0, 0, 30, 10, 0, 0, 10, 10, 20, 0, 30, 5}),   // ragged band
      wire({2, 0, 0, 90, 90, 0, 0, 10, 10, 20, 0, 30, 10}),  // extents too large
      wire({2, 0, 0, 30, 10, 10, 0, 0, 10, 20, 0, 30, 10}),  // inverted rectangle
  };
  for (const std::string& bytes : cases) {
    rdr::MemInStream in(bytes.data(), int(bytes.size()));
    Region r(RgnRect(1, 1, 2, 2));
    EXPECT_THROW(r.read(&in), plat::Exception) << testing::PrintToString(bytes);
    EXPECT_TRUE(r.equals(Region()));
  }
}

bool allocationsFail = false;
void* failingRealloc(void* p, size_t n) { return allocationsFail ? nullptr : realloc(p, n); }

class RegionOutOfMemory : public testing::Test {
 protected:
  void SetUp() override { miRegion::miRealloc = &failingRealloc; }
  void TearDown() override {
    miRegion::miRealloc = &realloc;
    allocationsFail = false;
  }
};

TEST_F(RegionOutOfMemory, ArithmeticBreaksTheResultAndTheBreakSpreads) {
  Region a = fromList({{0, 0, 10, 10}, {5, 5, 15, 15}});
  Region b = fromList({{0, 0, 4, 4}, {8, 0, 12, 4}});
  Region r, spread;
  allocationsFail = true;
  r.assign_union(a, b);
  EXPECT_TRUE(miRegion::isBroken(&r) && r.equals(Region()));
  allocationsFail = false;
  spread.assign_intersect(a, r);
  EXPECT_TRUE(miRegion::isBroken(&spread));
  spread.reset(RgnRect(0, 0, 1, 1));
  EXPECT_FALSE(miRegion::isBroken(&spread));
}

TEST_F(RegionOutOfMemory, SettingRectsReportsAndBreaks) {
  RgnRect rs[] = {{0, 0, 1, 1}, {2, 0, 3, 1}}, ext(0, 0, 3, 1);
  Region r;
  allocationsFail = true;
  testing::internal::CaptureStderr();
  r.setExtentsAndOrderedRects(&ext, 2, rs);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "failed to re-allocate data\n");
  EXPECT_TRUE(miRegion::isBroken(&r));
}

TEST_F(RegionOutOfMemory, ReadThrowsWhenTheBufferCannotBeAllocated) {
  std::string bytes = wire({2, 0, 0, 30, 10, 0, 0, 10, 10, 20, 0, 30, 10});
  rdr::MemInStream in(bytes.data(), int(bytes.size()));
  allocationsFail = true;
  Region r;
  EXPECT_EQ(gwtest::failureOf([&] { r.read(&in); }), "failed to allocate region buffer");
}

TEST(RegionDeathTest, RectsOutOfBandOrderAreAFatalAssertion) {
  RgnRect rs[] = {{2, 0, 3, 1}, {0, 0, 1, 1}}, ext(0, 0, 3, 1);
  Region r;
  EXPECT_DEATH(r.setExtentsAndOrderedRects(&ext, 2, rs), "miBandsValid");
}

}  // namespace
