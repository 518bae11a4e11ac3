#include "lib2/fb/ImageRect.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"

using fb::ManagedPixelBuffer;
using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

const PixelFormat kGrey8(8, 8, false, true, 255, 255, 255, 0, 0, 0);

// Row by row, one letter a pixel: 'a' for 0, 'b' for 1 and so on.
std::string letters(const fb::FullFramePixelBuffer& pb) {
  std::string s;
  for (int y = pb.getRect().tl.y; y < pb.getRect().br.y; y++) {
    if (!s.empty()) s += '|';
    for (int x = pb.getRect().tl.x; x < pb.getRect().br.x; x++)
      s += char('a' + pb.getPixelAt(Point(x, y)));
  }
  return s;
}

void number(ManagedPixelBuffer* pb) {
  for (int y = 0; y < pb->getHeight(); y++)
    for (int x = 0; x < pb->getWidth(); x++)
      pb->setPixelAt(Point(x, y), unsigned(y * pb->getWidth() + x));
}

}  // namespace

TEST(ImageRect, CopiesTheClippedPartFromTheMatchingSourceOffset) {
  ManagedPixelBuffer pb(PixelFormat::rgb565(), Rect(0, 0, 3, 2), nullptr);
  // Laid out for (-1,-1)-(2,2): 3 x 3 pixels in rows of 4.
  const uint16_t src[] = {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99};
  fb::imageRect(&pb, Rect(-1, -1, 2, 2), src, 4);
  EXPECT_EQ(pb.getPixelAt(Point(0, 0)), 5u);
  EXPECT_EQ(pb.getPixelAt(Point(1, 0)), 6u);
  EXPECT_EQ(pb.getPixelAt(Point(0, 1)), 8u);
  EXPECT_EQ(pb.getPixelAt(Point(1, 1)), 9u);
  EXPECT_EQ(pb.getPixelAt(Point(2, 0)), 0u);
}

TEST(CopyRect, MovesOverlappingAreasExactlyInEveryDirection) {
  struct Case {
    Point offset;
    const char* expected;
  };
  // The 4 x 3 buffer holds a..l; r is the whole buffer, cut to where its
  // source lies inside too.
  const Case cases[] = {
      {{1, 0}, "aabc|eefg|iijk"},  {{-1, 0}, "bcdd|fghh|jkll"}, {{0, 1}, "abcd|abcd|efgh"},
      {{0, -1}, "efgh|ijkl|ijkl"}, {{1, 1}, "abcd|eabc|iefg"},  {{5, 0}, "abcd|efgh|ijkl"},
  };
  for (const Case& c : cases) {
    ManagedPixelBuffer pb(kGrey8, Point(4, 3), nullptr);
    number(&pb);
    fb::copyRect(&pb, pb.getRect(), c.offset);
    EXPECT_EQ(letters(pb), c.expected) << c.offset.x << "," << c.offset.y;
  }
}

TEST(ImageFlip, MirrorsRowsOrTurnsAQuarterClockwise) {
  // Source 3 wide, 2 tall, 16-bit pixels in rows of 4: abc / def.
  const uint16_t src[] = {'a', 'b', 'c', 0, 'd', 'e', 'f', 0};
  uint16_t mirrored[6] = {}, turned[6] = {};
  fb::imageFlip(src, mirrored, 3, 2, 2, 4, 0, false);
  EXPECT_EQ(std::u16string(mirrored, mirrored + 6), u"cbafed");
  // Turned: 2 wide, 3 tall, each row a source column read bottom up.
  fb::imageFlip(src, turned, 2, 3, 2, 4, 0, true);
  EXPECT_EQ(std::u16string(turned, turned + 6), u"daebfc");
}
