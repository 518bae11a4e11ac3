#include "lib2/fb/ManagedPixelBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lib2/fb/ImageLoader.h"
#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using plat::Point;

namespace {

// A 3 x 2 image in rgb565 of which it writes the first pixel, then maybe fails.
struct FakeLoader : fb::ImageLoader {
  Point getSize() const override { return Point(3, 2); }
  const PixelFormat& getPf() const override { return PixelFormat::rgb565(); }
  void loadImage(fb::WritablePixelBuffer* pb, Point pos) override {
    pb->getPixelsRW(plat::Rect(pos, pos + Point(1, 1)), nullptr)[0] = 0x5A;
    if (fail) throw plat::Exception("bad image");
  }
  bool fail = false;
};

}  // namespace

TEST(ManagedPixelBuffer, NewMemoryIsZeroed) {
  {  // leave a dirty block of the same size for the allocator to hand back
    std::unique_ptr<unsigned char[]> junk(new unsigned char[4096]);
    memset(junk.get(), 0xA5, 4096);
  }
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(32, 32), nullptr);
  EXPECT_EQ(gwtest::countSet(pb), 0);
  pb.setSize(Point(40, 40));
  EXPECT_EQ(gwtest::countSet(pb), 0);
}

// Pixels stay at their coordinates; the same size moves nothing.
TEST(ManagedPixelBuffer, PreservingResizeKeepsPixelsWhereTheyWere) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), plat::Rect(5, 5, 9, 8), nullptr);
  pb.setPreserve(true);
  gwtest::paint(&pb, [](int x, int y) { return y * 100 + x; });
  unsigned char* before = pb.getPixelsRW(pb.getRect(), nullptr);
  pb.setSize(Point(4, 3));
  EXPECT_EQ(pb.getPixelsRW(pb.getRect(), nullptr), before);
  pb.setSize(Point(6, 5));
  EXPECT_EQ(gwtest::countSet(pb), 12);
  EXPECT_EQ(pb.getPixelAt(Point(8, 7)), 708u);
  pb.setSize(Point(2, 6));
  EXPECT_EQ(gwtest::pixels(pb),
            std::vector<unsigned>({505, 506, 605, 606, 705, 706, 0, 0, 0, 0, 0, 0}));
}

TEST(ManagedPixelBufferDeathTest, ReplacingWithTooLittleMemoryIsFatal) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(4, 4), nullptr);
  EXPECT_DEATH(pb.replaceData(std::make_unique<unsigned char[]>(63), 63),
               "Assertion 'capacity_ >= sizeBytes\\(\\)' failed");
  EXPECT_DEATH(pb.replaceData(nullptr, 64), "capacity_ >= sizeBytes");
}

TEST(ManagedPixelBuffer, LoaderGivesFormatSizeAndPixelsOrThrows) {
  FakeLoader loader;
  ManagedPixelBuffer pb(&loader);
  EXPECT_TRUE(pb.getPf().equal(PixelFormat::rgb565()));
  EXPECT_EQ(gwtest::pixels(pb), std::vector<unsigned>({0x5A, 0, 0, 0, 0, 0}));
  loader.fail = true;
  EXPECT_THROW(ManagedPixelBuffer failed(&loader), plat::Exception);
}
