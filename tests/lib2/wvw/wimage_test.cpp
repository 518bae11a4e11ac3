#include "lib2/wvw/WImage.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "lib2/fb/Draw.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WImageBorder.h"
#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

// The window drawn with a black background, an image of size `image` painted
// white in a widget of size `widget`; the bounding box of white pixels.
plat::Rect drawn(WImage& img, plat::Point widget, plat::Point image) {
  fb::ManagedPixelBuffer* pb = img.alloc(fb::PixelFormat::rgb888(), image);
  fb::fillRect(pb, pb->getRect(), 0xffffff);
  img.setSize(widget);
  fb::ManagedPixelBuffer out(fb::PixelFormat::rgb888(), plat::Point(40, 40), nullptr);
  fb::FullFramePixelBuffer view(&out, plat::Rect(10, 10, 10 + widget.x, 10 + widget.y));
  img.render(&view);
  plat::Rect box(100, 100, -100, -100);
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 40; x++)
      if (out.getPixelAt(plat::Point(x, y)))
        box = plat::Rect(std::min(box.tl.x, x - 10), std::min(box.tl.y, y - 10),
                         std::max(box.br.x, x - 9), std::max(box.br.y, y - 9));
  return box;
}

}  // namespace

// Tiling covers the widget, and a tiled empty image draws nothing.
TEST(WImage, PlacementFollowsAlignmentOrTilingAndCutsAtTheEdges) {
  // Alignments, tiling, widget and image size, the box drawn
  const std::tuple<int, int, bool, plat::Point, plat::Point, plat::Rect> cases[] = {
      {1, 1, false, {30, 20}, {10, 6}, {10, 7, 20, 13}},
      {0, 2, false, {30, 20}, {10, 6}, {0, 14, 10, 20}},
      {1, 1, false, {6, 4}, {10, 6}, {0, 0, 6, 4}},
      {0, 0, true, {25, 20}, {16, 16}, {0, 0, 25, 20}},
      {0, 0, true, {25, 20}, {0, 16}, {100, 100, -100, -100}}};  // nothing drawn
  for (const auto& [h, v, tiled, widget, image, box] : cases) {
    WImage img(nullptr, plat::Point());
    img.hAlign = h;
    img.vAlign = v;
    img.tiled = tiled;
    EXPECT_EQ(drawn(img, widget, image), box) << h << v << tiled;
  }
}

TEST(WImage, LoadSizesOnlyAnUnsizedWidget) {
  WImage img(nullptr, plat::Point());
  EXPECT_FALSE(img.load("no-such-image", plat::Point()));
  EXPECT_TRUE(img.load("grantwell", plat::Point(16, 16)) && img.getSize() == plat::Point(16, 16));
  img.setSize(plat::Point(5, 5));
  EXPECT_TRUE(img.load("grantwell", plat::Point(16, 16)) && img.getSize() == plat::Point(5, 5));
  EXPECT_EQ(img.createGreyscale()->getMinSize(), plat::Point(16, 16));
}

TEST(WImageBorder, ChildSitsInsideTheBordersEvenWithoutAPicture) {
  WidgetHost host(plat::Point(40, 30));
  WImageBorder border;
  Block child;
  EXPECT_EQ(border.getMinSize(), plat::Point(0, 0));  // no child yet
  border.setChild(&child);
  border.setBorders(3, 4, 5, 6);
  host.host(&border);
  EXPECT_EQ(border.getChildRect(&child), plat::Rect(6, 3, 36, 25));
  host.render();  // nothing loaded: only the child is drawn
  border.load("no-such-picture", plat::Point());
  host.render();
  border.setChild(nullptr);
  EXPECT_EQ(border.getMinSize(), plat::Point(10, 8));
  border.load("infoframe_default", plat::Point());  // fetched at the widget's size
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/image_border.png"));
  host.unhost();
}
