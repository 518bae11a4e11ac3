#include "lib2/gfxutil/ScaledPixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib2/fb/Region.h"

using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

// A source that remembers what it was asked to grab.
class SpySource : public fb::ManagedPixelBuffer {
 public:
  SpySource(Point size) : fb::ManagedPixelBuffer(PixelFormat::rgb888(), size, nullptr) {
    uint32_t* p = reinterpret_cast<uint32_t*>(getPixelsRW(getRect(), nullptr));
    for (int i = 0; i < size.x * size.y; i++) p[i] = uint32_t(i * 8) << 8;
  }
  void grabRegion(const fb::Region& region) override {
    grabs.push_back(
        Rect(region.extents.x1, region.extents.y1, region.extents.x2, region.extents.y2));
  }
  std::vector<Rect> grabs;
};

struct MovableScaledBuffer : gfxutil::ScaledPixelBuffer {
  void moveTo(Point p) { offset_ = p; }
};

uint32_t pixelAt(gfxutil::ScaledPixelBuffer& pb, Point p) {
  const unsigned char* q = pb.getPixelsR(Rect(p, p + Point(1, 1)), nullptr);
  uint32_t v;
  memcpy(&v, q, 4);
  return v;
}

TEST(ScaledPixelBuffer, AtTheSourceSizeHandsOutTheSourcesPixelsAndKeepsNoCache) {
  SpySource src(Point(4, 4));
  gfxutil::ScaledPixelBuffer pb;
  pb.setSourcePb(&src, true);
  EXPECT_EQ(pb.getRect(), Rect(0, 0, 4, 4));
  int stride = 0;
  EXPECT_EQ(pb.getPixelsR(Rect(1, 2, 3, 4), &stride), src.getPixelsR(Rect(1, 2, 3, 4), nullptr));
  EXPECT_EQ(stride, 4);
  EXPECT_EQ(pb.getCache().getWidth(), 0);
  pb.setSize(Point(2, 2));
  EXPECT_EQ(pb.getCache().getRect(), Rect(0, 0, 2, 2));
  pb.setSize(Point(4, 4));
  EXPECT_EQ(pb.getCache().getRect(), Rect(0, 0, 0, 0));
}

// The cache is black until grabbed, then holds only what was grabbed.
TEST(ScaledPixelBuffer, GrabRefreshesOnlyTheGrabbedPartFromTheSourcesCover) {
  SpySource src(Point(4, 4));
  gfxutil::ScaledPixelBuffer pb;
  pb.setSourcePb(&src, true);
  pb.setSize(Point(2, 2));
  EXPECT_EQ(pixelAt(pb, Point(1, 0)), 0u) << "before the grab";
  pb.grabRegion(fb::Region());
  EXPECT_TRUE(src.grabs.empty()) << "an empty region";
  pb.grabRegion(fb::Region(fb::RgnRect(1, 0, 2, 1)));
  ASSERT_EQ(src.grabs.size(), 1u);
  EXPECT_EQ(src.grabs[0], Rect(2, 0, 4, 2));
  // Mean of green 16, 24, 48, 56.
  EXPECT_EQ(pixelAt(pb, Point(1, 0)), 36u << 8);
  EXPECT_EQ(pixelAt(pb, Point(0, 0)), 0u);
}

// Offsets on both sides: the region is in this buffer's coordinates, the
// grab passed on in the source's, and the part outside this buffer ignored.
TEST(ScaledPixelBuffer, GrabHonoursBothOffsetsAndClipsToTheBuffer) {
  SpySource parent(Point(4, 4));
  fb::FullFramePixelBuffer view(&parent, Rect(0, 0, 4, 4));
  view.setOffset(Point(100, 200));
  MovableScaledBuffer pb;
  pb.setSourcePb(&view, true);
  pb.setSize(Point(2, 2));
  pb.moveTo(Point(10, 10));
  pb.grabRegion(fb::Region(fb::RgnRect(11, 11, 40, 40)));
  EXPECT_EQ(pixelAt(pb, Point(11, 11)), (uint32_t(10 * 8 + 11 * 8 + 14 * 8 + 15 * 8) / 4) << 8);
  EXPECT_EQ(pixelAt(pb, Point(10, 10)), 0u);
}

// At the source's size but in another format the source's pixels would
// be read as the wrong format: they are converted into the cache instead.
TEST(ScaledPixelBuffer, AnotherFormatAtTheSourceSizeIsConverted) {
  SpySource src(Point(2, 1));
  gfxutil::ScaledPixelBuffer pb;
  pb.setSourcePb(&src, false);
  pb.setPf(PixelFormat::rgb565());
  EXPECT_EQ(pb.getRect(), Rect(0, 0, 2, 1));
  pb.grabRegion(fb::Region(fb::RgnRect(0, 0, 2, 1)));
  uint16_t v[2];
  memcpy(v, pb.getPixelsR(Rect(0, 0, 2, 1), nullptr), 4);
  // Green 0 and 8 of 255 are 0 and 2 of 63.
  EXPECT_EQ(v[0], 0u);
  EXPECT_EQ(v[1], 2u << 5);
}

}  // namespace
