#include "lib2/fb/FullFramePixelBuffer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/PixelPicture.h"

using fb::FullFramePixelBuffer;
using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

// Pixel (x, y) holds y * 100 + x.
std::unique_ptr<fb::ManagedPixelBuffer> frame(Rect r) {
  auto pb = std::make_unique<fb::ManagedPixelBuffer>(PixelFormat::rgb888(), r, nullptr);
  gwtest::paint(pb.get(), [](int x, int y) { return y * 100 + x; });
  return pb;
}

}  // namespace

TEST(FullFramePixelBufferDeathTest, AccessOutsideIsFatalWithBothRectangles) {
  EXPECT_DEATH(frame(Rect(0, 0, 10, 10))->getPixelsRW(Rect(5, 5, 11, 6), nullptr),
               "Assertion 'getRect\\(\\).encloses\\(r\\)' failed at .*: getPixelsRW out of "
               "bounds: 5,5 to 11,6 outside 0,0 to 10,10");
}

// Clipped to the parent; an origin of its own moves coordinates, not pixels.
TEST(FullFramePixelBuffer, ViewIsRelativeToItsRectangleAndClippedToTheParent) {
  std::unique_ptr<fb::ManagedPixelBuffer> f = frame(Rect(0, 0, 100, 100));
  FullFramePixelBuffer view(f.get(), Rect(-10, -10, 20, 20));
  EXPECT_EQ(view.getRect(), Rect(10, 10, 30, 30));
  view.setPixelAt(Point(29, 29), 4242);
  EXPECT_EQ(f->getPixelAt(Point(19, 19)), 4242u);
  EXPECT_TRUE(FullFramePixelBuffer(f.get(), Rect(-50, 10, -10, 20)).getRect().isEmpty());
  FullFramePixelBuffer moved(f.get(), Rect(30, 40, 50, 60));
  moved.setOffset(Point(30, 40));
  FullFramePixelBuffer viewOfView(&moved, Rect(45, 55, 60, 70));
  EXPECT_EQ(viewOfView.getRect(), Rect(0, 0, 5, 5));
  EXPECT_EQ(viewOfView.getPixelAt(Point(0, 0)), 5545u);
}

TEST(FullFramePixelBuffer, PixelsOfEachWidthUseTheirOwnBytes) {
  unsigned char bytes[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  PixelFormat rgb24(24, 24, false, true, 255, 255, 255, 16, 8, 0);
  FullFramePixelBuffer pb24(rgb24, Rect(0, 0, 2, 1), nullptr, bytes, 0);
  EXPECT_EQ(pb24.getPixelAt(Point(1, 0)), 0x665544u);
  pb24.setPixelAt(Point(0, 0), 0xABCDEF01);
  FullFramePixelBuffer pb12(PixelFormat(12, 12, false, true, 15, 15, 15, 8, 4, 0), Rect(0, 0, 8, 1),
                            nullptr, bytes, 0);
  pb12.setPixelAt(Point(4, 0), 0);  // no such width: nothing is written
  EXPECT_EQ(pb12.getPixelAt(Point(1, 0)), 0u);
  EXPECT_EQ(std::vector<int>(bytes, bytes + 8),
            (std::vector<int>{0x01, 0xEF, 0xCD, 0x44, 0x55, 0x66, 0x77, 0x88}));
}
