#include <gtest/gtest.h>

#include "lib2/wvw/WBgLayout.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WFrame.h"
#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

struct Bevels : Block {
  void render(fb::WritablePixelBuffer* pb) override {
    fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(BevelBg, pb));
    drawBevel(pb, plat::Rect(2, 2, 22, 16), true, false);
    drawBevel(pb, plat::Rect(26, 2, 46, 16), false, false);
    drawBevel(pb, plat::Rect(50, 2, 64, 16), true, true);
    drawBoundingRect(pb, plat::Rect(68, 2, 88, 16), true);
    drawBoundingRect(pb, plat::Rect(92, 2, 112, 16), false);
  }
};

}  // namespace

TEST(Look, DefaultStyleMatchesTheGoldenImage) {
  WCanvas canvas;
  WChild<WFrame> raised(true), sunken(false);
  WChild<WBgLayout> bg(true);
  // After the containers that list them.
  WChild<Block> green(Widget::Green), red(Widget::Red), hidden(Widget::Black),
      disabled(Widget::Blue);
  WChild<Bevels> bevels;
  WidgetHost host(plat::Point(116, 84));
  canvas.add(&raised, plat::Rect(4, 4, 44, 28), nullptr);
  canvas.add(&sunken, plat::Rect(52, 4, 92, 28), nullptr);
  sunken.add(&green, plat::Rect(30, 8, 50, 16), nullptr);  // cut at the frame's edge
  bg.fillBackground = bg.lineAbove = bg.lineBelow = true;
  bg.background = Widget::TextBg;
  canvas.add(&bg, plat::Rect(8, 32, 88, 56), nullptr);
  bg.add(&red, plat::Rect(0, 6, 12, 18), nullptr);  // the inset covers its edge
  canvas.add(&bevels, plat::Rect(0, 60, 116, 78), nullptr);
  canvas.add(&hidden, plat::Rect(92, 30, 116, 60), nullptr);
  canvas.add(&disabled, plat::Rect(100, 36, 124, 50), nullptr);  // drawn, cut at the window
  hidden.setVisible(false);
  disabled.setEnabled(false);
  host.host(&canvas);
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/default_style.png"));
}
