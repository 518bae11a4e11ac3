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

using fb::Region;
using fb::RgnRect;

namespace {

constexpr int kGrid = 64;
using Bitmap = std::bitset<kGrid * kGrid>;

Bitmap pixels(const Region& r) {
  Bitmap bm;
  fb::RegionIterator it(r);
  for (RgnRect b; it.next(&b);)
    for (int y = b.y1; y < b.y2; y++)
      for (int x = b.x1; x < b.x2; x++) bm.set(y * kGrid + x);
  return bm;
}

// The band rules, by the reader, which refuses any region that breaks them;
// a single rectangle needs no block.
testing::AssertionResult banded(const Region& r) {
  rdr::MemOutStream out;
  r.write(&out);
  rdr::MemInStream in(out.data(), int(out.length()));
  std::string refusal = gwtest::failureOf([&] { Region().read(&in); });
  if (refusal == "(none)" && !(r.data && miRegion::numRects(&r) == 1))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << refusal << "\n" << Region::ToString(r).get();
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
    ASSERT_TRUE(banded(a.region) && pixels(a.region) == a.bits);
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

TEST(Region, ConstructionClampsAndDropsEmptyRectangles) {
  EXPECT_STREQ(Region::ToString(Region(RgnRect(plat::Rect(-40000, 0, 40000, 10)))).get(),
               "num rects   1 extents -32768,0 to 32767,10\n    rect -32768,0 to 32767,10\n");
  EXPECT_STREQ(Region::ToString(Region(RgnRect(5, 5, 5, 9))).get(),
               "num rects   0 extents 0,0 to 0,0\n");
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

struct RegionOutOfMemory : testing::Test {
  void SetUp() override { miRegion::miRealloc = &failingRealloc; }
  void TearDown() override {
    miRegion::miRealloc = &realloc;
    allocationsFail = false;
  }
};

TEST_F(RegionOutOfMemory, ArithmeticBreaksTheResultAndTheBreakSpreads) {
  Region a, b, r, spread;
  a.unionOfRects({{0, 0, 10, 10}, {5, 5, 15, 15}});
  b.unionOfRects({{0, 0, 4, 4}, {8, 0, 12, 4}});
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
