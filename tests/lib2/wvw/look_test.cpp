// The look of the default style: the decorated containers and the bevels,
// compared with the committed golden images.
#include <gtest/gtest.h>

#include <functional>

#include "lib2/wvw/WBgLayout.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WFrame.h"
#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

// Draws the bevels and outlines of the widget base in a row.
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

TEST(Look, DefaultStyleMatchesTheGoldenImages) {
  struct Case {
    const char* name;
    std::function<void(WCanvas*, WBgLayout*)> build;
  } cases[] = {
      {"frames",
       [](WCanvas* canvas, WBgLayout*) {
         static WFrame raised(true), sunken(false);
         static Block inside(Widget::Green);
         canvas->add(&raised, plat::Rect(4, 4, 44, 28), nullptr);
         canvas->add(&sunken, plat::Rect(52, 4, 92, 28), nullptr);
         sunken.add(&inside, plat::Rect(30, 8, 50, 16), nullptr);  // cut at the frame's edge
       }},
      {"bglayout",
       [](WCanvas* canvas, WBgLayout* bg) {
         static Block inside(Widget::Red);
         bg->fillBackground = true, bg->lineAbove = true, bg->lineBelow = true;
         bg->background = Widget::TextBg;
         canvas->add(bg, plat::Rect(8, 4, 88, 28), nullptr);
         bg->add(&inside, plat::Rect(0, 6, 12, 18), nullptr);  // the inset covers it
       }},
      {"bevels",
       [](WCanvas* canvas, WBgLayout*) {
         static Bevels bevels;
         canvas->add(&bevels, plat::Rect(0, 6, 116, 24), nullptr);
       }},
  };
  for (const Case& k : cases) {
    WidgetHost host(plat::Point(116, 32));
    WCanvas canvas;
    WBgLayout bg(true);
    k.build(&canvas, &bg);
    host.host(&canvas);
    EXPECT_TRUE(matchesGolden(host.render(), std::string(GW_GOLDEN_DIR "/") + k.name + ".png"));
    host.unhost();
    for (WLayout* l : {(WLayout*)&canvas, (WLayout*)&bg})
      while (l->getChildCount()) {
        Widget* w = l->getChild(0);
        if (auto* sub = dynamic_cast<WLayout*>(w))
          while (sub->getChildCount()) sub->remove(sub->getChild(0));
        l->remove(w);
      }
  }
}
