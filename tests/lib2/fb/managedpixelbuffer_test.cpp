#include "lib2/fb/ManagedPixelBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using plat::Point;

// Each step first frees a dirty block of the size it is about to need, which
// the allocator hands straight back: memory must be cleared, not just taken.
TEST(ManagedPixelBuffer, NewMemoryIsZeroedWhenMadeResizedOrReformatted) {
  auto leaveDirty = [](size_t bytes) {
    std::unique_ptr<unsigned char[]> junk(new unsigned char[bytes]);
    memset(junk.get(), 0xA5, bytes);
  };
  leaveDirty(32 * 32);
  ManagedPixelBuffer pb(PixelFormat::pal8(), Point(32, 32), nullptr);
  EXPECT_EQ(gwtest::countSet(pb), 0);
  fb::ConfigurablePixelBuffer* configurable = &pb;
  leaveDirty(40 * 40);
  configurable->setSize(Point(40, 40));
  EXPECT_EQ(gwtest::countSet(pb), 0);
  leaveDirty(40 * 40 * 4);
  configurable->setPf(PixelFormat::rgb888());
  EXPECT_EQ(gwtest::countSet(pb), 0);
}

// Pixels stay at their coordinates; new ones are zero.
TEST(ManagedPixelBuffer, PreservingResizeKeepsPixelsWhereTheyWere) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), plat::Rect(5, 5, 9, 8), nullptr);
  pb.setPreserve(true);
  gwtest::paint(&pb, [](int x, int y) { return y * 100 + x; });
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
