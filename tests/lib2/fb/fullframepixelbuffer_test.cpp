#include "lib2/fb/FullFramePixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using fb::FullFramePixelBuffer;
using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

// A 32-bit buffer over its own vector; pixel (x, y) starts as y * 100 + x.
struct Frame {
  explicit Frame(Rect r, int stride = 0)
      : pixels(size_t((stride ? stride : r.width()) * r.height())),
        pb(PixelFormat::rgb888(), r, nullptr, reinterpret_cast<unsigned char*>(pixels.data()),
           stride) {
    for (int y = r.tl.y; y < r.br.y; y++)
      for (int x = r.tl.x; x < r.br.x; x++) pb.setPixelAt(Point(x, y), unsigned(y * 100 + x));
  }
  std::vector<uint32_t> pixels;
  FullFramePixelBuffer pb;
};

}  // namespace

TEST(FullFramePixelBuffer, PixelsAreAddressedInTheBuffersCoordinates) {
  Frame f(Rect(10, 20, 14, 23), 6);  // stride wider than the rows
  int stride = 0;
  auto* first = reinterpret_cast<uint32_t*>(f.pb.getPixelsRW(Rect(11, 21, 13, 23), &stride));
  EXPECT_EQ(stride, 6);
  EXPECT_EQ(first[0], 2111u);
  EXPECT_EQ(first[stride + 1], 2212u);
  EXPECT_EQ(f.pixels[0], 2010u);
}

TEST(FullFramePixelBuffer, EmptyRectangleGivesNullButStillTheStride) {
  Frame f(Rect(0, 0, 10, 10));
  int stride = -1;
  EXPECT_EQ(f.pb.getPixelsRW(Rect(3, 3, 3, 8), &stride), nullptr);
  EXPECT_EQ(stride, 10);
  EXPECT_EQ(f.pb.getPixelsRW(Rect(50, 50, 40, 60), nullptr), nullptr);  // inverted, far away
  EXPECT_NE(f.pb.getPixelsRW(Rect(0, 0, 10, 10), nullptr), nullptr);
}

TEST(FullFramePixelBuffer, BufferWithoutMemoryHasNoPixelsToGive) {
  FullFramePixelBuffer pb(PixelFormat::rgb888(), Rect(0, 0, 4, 4), nullptr, nullptr, 0);
  int stride = 0;
  EXPECT_EQ(pb.getPixelsRW(Rect(1, 1, 2, 2), &stride), nullptr);
  EXPECT_EQ(stride, 4);
  std::vector<uint32_t> out(4, 7);
  pb.getImage(out.data(), Rect(0, 0, 2, 2), 0);
  EXPECT_EQ(out, std::vector<uint32_t>(4, 7));
}

TEST(FullFramePixelBufferDeathTest, AccessOutsideIsFatalWithBothRectangles) {
  Frame f(Rect(0, 0, 10, 10));
  EXPECT_DEATH(f.pb.getPixelsRW(Rect(5, 5, 11, 6), nullptr),
               "Assertion 'getRect\\(\\).encloses\\(r\\)' failed at .*: getPixelsRW out of "
               "bounds: 5,5 to 11,6 outside 0,0 to 10,10");
  EXPECT_DEATH(f.pb.getPixelsR(Rect(-1, 0, 1, 1), nullptr), "-1,0 to 1,1 outside");
}

TEST(FullFramePixelBuffer, ViewIsRelativeToItsRectangleAndClippedToTheParent) {
  Frame f(Rect(0, 0, 100, 100));
  FullFramePixelBuffer view(&f.pb, Rect(-10, -10, 20, 20));
  EXPECT_EQ(view.getRect(), Rect(10, 10, 30, 30));
  EXPECT_EQ(view.getPixelAt(Point(10, 10)), f.pb.getPixelAt(Point(0, 0)));
  view.setPixelAt(Point(29, 29), 4242);
  EXPECT_EQ(f.pb.getPixelAt(Point(19, 19)), 4242u);
  EXPECT_EQ(view.getStride(), 100);

  FullFramePixelBuffer inner(&f.pb, Rect(40, 50, 45, 52));
  EXPECT_EQ(inner.getRect(), Rect(0, 0, 5, 2));
  EXPECT_EQ(inner.getPixelAt(Point(0, 0)), 5040u);
}

TEST(FullFramePixelBuffer, ViewOfARectangleOutsideTheParentIsEmpty) {
  Frame f(Rect(0, 0, 100, 100));
  for (Rect r : {Rect(200, 200, 300, 300), Rect(-50, 10, -10, 20), Rect(10, 100, 20, 150)}) {
    FullFramePixelBuffer view(&f.pb, r);
    EXPECT_TRUE(view.getRect().isEmpty());
    EXPECT_GE(view.getWidth(), 0);
    EXPECT_GE(view.getHeight(), 0);
  }
}

TEST(FullFramePixelBuffer, ViewOriginMovesItsCoordinatesNotItsPixels) {
  Frame f(Rect(0, 0, 100, 100));
  FullFramePixelBuffer view(&f.pb, Rect(30, 40, 50, 60));
  view.setOffset(Point(30, 40));  // drawing in the parent's coordinates
  EXPECT_EQ(view.getRect(), Rect(30, 40, 50, 60));
  EXPECT_EQ(view.getPixelAt(Point(30, 40)), 4030u);
  FullFramePixelBuffer viewOfView(&view, Rect(45, 55, 60, 70));
  EXPECT_EQ(viewOfView.getRect(), Rect(0, 0, 5, 5));
  EXPECT_EQ(viewOfView.getPixelAt(Point(0, 0)), 5545u);
}

TEST(FullFramePixelBuffer, GetImageCopiesRowsWithEitherStride) {
  Frame f(Rect(0, 0, 8, 8));
  std::vector<uint32_t> out(6, 0);
  f.pb.getImage(out.data(), Rect(2, 3, 4, 6), 0);
  EXPECT_EQ(out, (std::vector<uint32_t>{302, 303, 402, 403, 502, 503}));
  std::vector<uint32_t> wide(6, 0);
  f.pb.getImage(wide.data(), Rect(5, 1, 7, 3), 3);
  EXPECT_EQ(wide, (std::vector<uint32_t>{105, 106, 0, 205, 206, 0}));
}

TEST(FullFramePixelBuffer, PixelsOfEveryWidthUseTheirOwnBytes) {
  unsigned char bytes[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  FullFramePixelBuffer pb24(PixelFormat(24, 24, false, true, 255, 255, 255, 16, 8, 0),
                            Rect(0, 0, 2, 1), nullptr, bytes, 0);
  EXPECT_EQ(pb24.getPixelAt(Point(1, 0)), 0x665544u);
  pb24.setPixelAt(Point(0, 0), 0xABCDEF01);
  EXPECT_EQ(std::vector<int>(bytes, bytes + 4), (std::vector<int>{0x01, 0xEF, 0xCD, 0x44}));

  FullFramePixelBuffer pb16(PixelFormat::rgb565(), Rect(0, 0, 4, 1), nullptr, bytes, 0);
  pb16.setPixelAt(Point(3, 0), 0x12345678);
  EXPECT_EQ(pb16.getPixelAt(Point(3, 0)), 0x5678u);
  EXPECT_EQ(bytes[5], 0x66);

  FullFramePixelBuffer pb8(PixelFormat::pal8(), Rect(0, 0, 8, 1), nullptr, bytes, 0);
  pb8.setPixelAt(Point(5, 0), 0x1FF);
  EXPECT_EQ(pb8.getPixelAt(Point(5, 0)), 0xFFu);

  // Formats of other widths neither read nor write.
  FullFramePixelBuffer pb12(PixelFormat(12, 12, false, true, 15, 15, 15, 8, 4, 0), Rect(0, 0, 8, 1),
                            nullptr, bytes, 0);
  pb12.setPixelAt(Point(0, 0), 0);
  EXPECT_EQ(pb12.getPixelAt(Point(1, 0)), 0u);
  EXPECT_EQ(bytes[1], 0xEF);
}
