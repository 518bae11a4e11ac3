#include "lib2/fb/ManagedPixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "lib2/fb/ColourCube.h"
#include "lib2/fb/ImageLoader.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

// Numbers every pixel of a 32-bit buffer: y * 100 + x.
void number(ManagedPixelBuffer* pb) {
  Rect r = pb->getRect();
  for (int y = r.tl.y; y < r.br.y; y++)
    for (int x = r.tl.x; x < r.br.x; x++) pb->setPixelAt(Point(x, y), unsigned(y * 100 + x));
}

bool allZero(ManagedPixelBuffer* pb) {
  Rect r = pb->getRect();
  for (int y = r.tl.y; y < r.br.y; y++)
    for (int x = r.tl.x; x < r.br.x; x++)
      if (pb->getPixelAt(Point(x, y)) != 0) return false;
  return true;
}

// Counts its own destructions.
struct CountedCube : fb::ColourCube {
  explicit CountedCube(int* counter) : fb::ColourCube(2, 2, 2), deaths(counter) {}
  ~CountedCube() override { ++*deaths; }
  int* deaths;
};

// Delivers a size and format, and writes one marker pixel or fails.
struct FakeLoader : fb::ImageLoader {
  Point getSize() const override { return Point(3, 2); }
  const PixelFormat& getPf() const override { return PixelFormat::rgb565(); }
  void loadImage(fb::WritablePixelBuffer* pb, Point pos) override {
    int stride = 0;
    unsigned char* p = pb->getPixelsRW(Rect(pos, pos + Point(1, 1)), &stride);
    p[0] = 0x5A;
    if (fail) throw plat::Exception("bad image");
  }
  bool fail = false;
};

}  // namespace

TEST(ManagedPixelBuffer, MemoryGrowsButShrinksOnlyToNothing) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(4, 4), nullptr);
  EXPECT_EQ(pb.getCapacity(), 64u);
  pb.setSize(Point(2, 2));
  EXPECT_EQ(pb.getCapacity(), 64u);
  EXPECT_EQ(pb.getStride(), 2);
  pb.setSize(Point(5, 5));
  EXPECT_EQ(pb.getCapacity(), 100u);
  pb.setPf(PixelFormat::pal8());
  EXPECT_EQ(pb.getCapacity(), 100u);
  pb.setSize(Point(0, 3));
  EXPECT_EQ(pb.getCapacity(), 0u);
  EXPECT_EQ(pb.getPixelsRW(pb.getRect(), nullptr), nullptr);
}

TEST(ManagedPixelBuffer, NewMemoryIsZeroed) {
  // Dirty the heap with a block of the same size first, so that a reused
  // chunk would show.
  {
    std::unique_ptr<unsigned char[]> junk(new unsigned char[4096]);
    memset(junk.get(), 0xA5, 4096);
  }
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(32, 32), nullptr);
  EXPECT_TRUE(allZero(&pb));
  pb.setSize(Point(40, 40));
  EXPECT_TRUE(allZero(&pb));
  pb.setPf(PixelFormat(64, 24, false, true, 255, 255, 255, 16, 8, 0));
  EXPECT_TRUE(allZero(&pb));
}

TEST(ManagedPixelBuffer, PreservingResizeKeepsPixelsWhereTheyWere) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Rect(5, 5, 9, 8), nullptr);
  pb.setPreserve(true);
  number(&pb);
  pb.setSize(Point(6, 5));
  EXPECT_EQ(pb.getRect(), Rect(5, 5, 11, 10));
  for (int y = 5; y < 10; y++)
    for (int x = 5; x < 11; x++)
      EXPECT_EQ(pb.getPixelAt(Point(x, y)), x < 9 && y < 8 ? unsigned(y * 100 + x) : 0u)
          << x << "," << y;
  pb.setSize(Point(2, 6));
  EXPECT_EQ(pb.getPixelAt(Point(6, 7)), 706u);
  EXPECT_EQ(pb.getPixelAt(Point(6, 9)), 0u);
  EXPECT_EQ(pb.getCapacity(), pb.sizeBytes());
}

TEST(ManagedPixelBuffer, ResizeToTheSameSizeTouchesNothing) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(4, 4), nullptr);
  pb.setPreserve(true);
  unsigned char* before = pb.getPixelsRW(pb.getRect(), nullptr);
  pb.setSize(Point(4, 4));
  EXPECT_EQ(pb.getPixelsRW(pb.getRect(), nullptr), before);
}

TEST(ManagedPixelBuffer, NegativeSizeCountsAsEmpty) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(4, 4), nullptr);
  pb.setSize(Point(-3, 5));
  EXPECT_EQ(pb.getWidth(), 0);
  EXPECT_EQ(pb.getHeight(), 5);
  EXPECT_EQ(pb.getCapacity(), 0u);
  ManagedPixelBuffer inverted(PixelFormat::rgb888(), Rect(10, 10, 0, 0), nullptr);
  EXPECT_EQ(inverted.sizeBytes(), 0u);
}

TEST(ManagedPixelBuffer, TakeDataHandsOverTheMemoryAndEmptiesTheBuffer) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Rect(3, 4, 5, 6), nullptr);
  number(&pb);
  std::unique_ptr<unsigned char[]> block = pb.takeData();
  uint32_t first;
  memcpy(&first, block.get(), 4);
  EXPECT_EQ(first, 403u);
  EXPECT_EQ(pb.getRect(), Rect(3, 4, 3, 4));
  EXPECT_EQ(pb.getCapacity(), 0u);
  EXPECT_EQ(pb.getStride(), 0);
  pb.setSize(Point(2, 2));
  EXPECT_EQ(pb.getCapacity(), 16u);
  EXPECT_NE(pb.getPixelsRW(pb.getRect(), nullptr), block.get());
}

TEST(ManagedPixelBuffer, ReplacedMemoryBecomesThePixels) {
  ManagedPixelBuffer pb;
  auto block = std::make_unique<unsigned char[]>(40);
  block[4] = 0x77;
  unsigned char* raw = block.get();
  pb.setPf(PixelFormat::rgb888());
  pb.replaceDataAndSetRect(std::move(block), 40, Rect(1, 1, 4, 4));
  EXPECT_EQ(pb.getCapacity(), 40u);
  EXPECT_EQ(pb.getStride(), 3);
  EXPECT_EQ(pb.getPixelsRW(Rect(1, 1, 2, 2), nullptr), raw);
  EXPECT_EQ(pb.getPixelAt(Point(2, 1)), 0x77u);
}

TEST(ManagedPixelBufferDeathTest, ReplacingWithTooLittleMemoryIsFatal) {
  ManagedPixelBuffer pb(PixelFormat::rgb888(), Point(4, 4), nullptr);
  EXPECT_DEATH(pb.replaceData(std::make_unique<unsigned char[]>(63), 63),
               "Assertion 'capacity_ >= sizeBytes\\(\\)' failed");
  EXPECT_DEATH(pb.replaceData(nullptr, 64), "capacity_ >= sizeBytes");
}

TEST(ManagedPixelBuffer, OwnedColourMapGoesWithTheBufferOrTheNextMap) {
  int deaths = 0;
  fb::ColourCube borrowed(2, 2, 2);
  {
    ManagedPixelBuffer pb(PixelFormat::pal8(), Point(2, 2), nullptr);
    pb.setColourMap(std::make_unique<CountedCube>(&deaths));
    EXPECT_NE(pb.getColourMap(), nullptr);
    pb.setColourMap(&borrowed);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(pb.getColourMap(), &borrowed);
    pb.setColourMap(std::make_unique<CountedCube>(&deaths));
  }
  EXPECT_EQ(deaths, 2);
}

TEST(ManagedPixelBuffer, LoaderGivesFormatSizeAndPixels) {
  FakeLoader loader;
  ManagedPixelBuffer pb(&loader);
  EXPECT_TRUE(pb.getPf().equal(PixelFormat::rgb565()));
  EXPECT_EQ(pb.getRect(), Rect(0, 0, 3, 2));
  EXPECT_EQ(pb.getPixelAt(Point(0, 0)), 0x5Au);
  EXPECT_EQ(pb.getPixelAt(Point(2, 1)), 0u);

  ManagedPixelBuffer none(nullptr);
  EXPECT_EQ(none.getRect(), Rect());
  loader.fail = true;
  EXPECT_THROW(ManagedPixelBuffer failed(&loader), plat::Exception);
}
