#include "lib2/fb/ManagedPixelBuffer.h"

#include <gtest/gtest.h>

#include "tests/support/PixelPicture.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using plat::Point;

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
