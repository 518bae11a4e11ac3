#include "lib2/gfxutil/ScaledPixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib2/fb/Region.h"

using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

// Green rises by 8 a pixel; the extents of each grab asked for are kept.
struct SpySource : fb::ManagedPixelBuffer {
  explicit SpySource(Point size) : fb::ManagedPixelBuffer(PixelFormat::rgb888(), size, nullptr) {
    for (int i = 0; i < size.x * size.y; i++) setPixelAt(Point(i % size.x, i / size.x), i * 8 << 8);
  }
  void grabRegion(const fb::Region& r) override { grabs.push_back(fb::RgnRect(r.extents)); }
  std::vector<fb::RgnRect> grabs;
};

struct MovableScaledBuffer : gfxutil::ScaledPixelBuffer {
  void moveTo(Point p) { offset_ = p; }
};

uint32_t pixelAt(gfxutil::ScaledPixelBuffer& pb, Point p) {
  return *reinterpret_cast<const uint32_t*>(pb.getPixelsR(Rect(p, p + Point(1, 1)), nullptr));
}

// The cache is black until grabbed; the region is in this buffer's
// coordinates, the grab passed on in the source's, what lies outside ignored.
TEST(ScaledPixelBuffer, GrabHonoursBothOffsetsAndClipsToTheBuffer) {
  SpySource src(Point(4, 4));
  src.setOffset(Point(100, 200));
  MovableScaledBuffer pb;
  pb.setSourcePb(&src, true);
  pb.setSize(Point(2, 2));
  pb.moveTo(Point(10, 10));
  pb.grabRegion(fb::Region());
  pb.grabRegion(fb::Region(fb::RgnRect(11, 11, 40, 40)));
  EXPECT_EQ(src.grabs, std::vector<fb::RgnRect>({{102, 202, 104, 204}}));
  EXPECT_EQ(pixelAt(pb, Point(11, 11)), (10 + 11 + 14 + 15) * 2u << 8);
  EXPECT_EQ(pixelAt(pb, Point(10, 10)), 0u);
}

// At the source's size its pixels are handed out, with no cache; in another
// format they would be read wrongly, and are converted into the cache instead.
TEST(ScaledPixelBuffer, AnotherFormatAtTheSourceSizeIsConverted) {
  SpySource src(Point(2, 1));
  gfxutil::ScaledPixelBuffer pb;
  pb.setSourcePb(&src, true);
  EXPECT_EQ(pb.getPixelsR(Rect(0, 0, 2, 1), nullptr), src.getPixelsR(Rect(0, 0, 2, 1), nullptr));
  pb.setPf(PixelFormat::rgb565());
  pb.grabRegion(fb::Region(fb::RgnRect(0, 0, 2, 1)));
  uint16_t v[2];
  memcpy(v, pb.getPixelsR(Rect(0, 0, 2, 1), nullptr), 4);
  EXPECT_EQ(v[1], 2u << 5);  // green 8 of 255 is 2 of 63
}

}  // namespace
