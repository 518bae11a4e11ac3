#include <gtest/gtest.h>

#include <algorithm>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WArrowButton.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WDynamicButton.h"
#include "lib2/wvw/WIconButton.h"
#include "lib2/wvw/WImageButton.h"
#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = fb::keysym;

// An unfocusable button clicks too, without taking the focus. Other buttons
// never click, and leave no pressed look behind.
TEST(WButton, PointerClicksOnlyWhenButtonZeroIsReleasedOverIt) {
  using Steps = std::vector<std::tuple<int, int>>;  // x, button mask
  std::tuple<Steps, bool, int> cases[] = {{{{5, 1}, {5, 0}}, true, 1},
                                          {{{5, 1}, {5, 0}}, false, 1},
                                          {{{5, 1}, {30, 1}, {30, 0}}, true, 0},
                                          {{{5, 1}, {30, 1}, {6, 1}, {6, 0}}, true, 1},
                                          {{{5, 4}, {6, 4}, {6, 0}}, true, 0},
                                          {{{5, 4}, {6, 4}, {7, 0}}, true, 0},
                                          {{{5, 1}, {5, 5}, {6, 1}, {6, 0}}, true, 1}};
  for (auto& [steps, focusable, clicks] : cases) {
    WCanvas canvas;
    WChild<WButton> b(focusable);
    WidgetHost host(plat::Point(40, 20));
    canvas.add(&b, plat::Rect(0, 0, 20, 20), nullptr);
    host.host(&canvas);
    host.focusWindow(true);
    for (auto [x, mask] : steps) host.pointer(plat::Point(x, 5), mask);
    EXPECT_EQ(std::count(host.topEvents.lines.begin(), host.topEvents.lines.end(), "click ?"),
              clicks);
    EXPECT_EQ(canvas.getFocusedChild(), focusable ? &b : nullptr);
    EXPECT_FALSE(b.isDown());
  }
}

TEST(WButton, HeldReturnClicksOnceAndAStrayReleaseNever) {
  WidgetHost host(plat::Point(20, 20));
  WButton b(true);
  host.host(&b);
  host.topEvents.take();
  host.topEvents.name(&b, "b");
  EXPECT_FALSE(b.handleKeyEvent(ks::Return, false, &b));
  for (int i = 0; i < 3; i++) b.handleKeyEvent(ks::Return, true, &b);
  host.topEvents.consume = {"click"};
  EXPECT_TRUE(b.handleKeyEvent(ks::Return, false, &b));
  EXPECT_EQ(host.topEvents.take(),
            "key b ff0d up, changed b, key b ff0d down, key b ff0d down, key b ff0d down, "
            "changed b, click b");
  host.unhost();
}

TEST(WBevelButton, SizedBeforeItHasAChildAndInsetsTheChildLater) {
  WBevelButton b(true);
  Block child;
  b.setSize(plat::Point(30, 20));
  b.setChild(&child);
  EXPECT_TRUE(b.getChildRect(&child) == plat::Rect(3, 3, 27, 17) &&
              b.getMinSize() == plat::Point(16, 16));
  b.setChild(nullptr);
  EXPECT_EQ(b.getMinSize(), plat::Point(6, 6));
}

TEST(WDynamicButton, MissingFacesFallBackToHoverThenNormal) {
  Block normal, hover;
  WDynamicButton b(true);  // goes first and lets go of its faces
  WidgetHost host(plat::Point(20, 20));
  b.setChildForState(&normal, WDynamicButton::Normal);
  host.host(&b);
  b.setState(WDynamicButton::Pressed);
  EXPECT_TRUE(normal.isVisible());
  b.setState(WDynamicButton::Normal);
  b.setChildForState(&hover, WDynamicButton::Hover);
  host.pointer(plat::Point(3, 3), 1);  // pressed shows hover
  EXPECT_TRUE(b.getState() == WDynamicButton::Pressed && hover.isVisible() && !normal.isVisible());
  host.leave();
  EXPECT_TRUE(normal.isVisible() && !hover.isVisible());
}

TEST(WDynamicButtonDeathTest, UnknownStateIsFatal) {
  WDynamicButton b(true);
  EXPECT_DEATH(b.setState(WDynamicButton::State(3)), "state < NumStates.*Unknown button state: 3");
  EXPECT_DEATH(b.setChildForState(nullptr, WDynamicButton::State(-1)), "Unknown button state: -1");
}

TEST(WImageButton, GreyscaleCopyIsMadeOnceAndDroppedWhenImagesChange) {
  WImage image(nullptr, plat::Point()), other(nullptr, plat::Point());
  image.alloc(fb::PixelFormat::rgb888(), plat::Point(8, 8));
  WImageButton b(true, true);
  b.setEnabled(false);  // no image yet: stays empty
  ASSERT_EQ(b.getChild(), nullptr);
  b.setEnabled(true);
  b.addImage(&image, nullptr);
  b.setEnabled(false);
  WImage* copy = b.getDisabledImage();
  b.setEnabled(false);
  EXPECT_TRUE(b.getDisabledImage() == copy && b.getChild() == copy);
  // The copy belongs to the button; the caller's images must survive it.
  b.addImage(&image, &other);
  for (bool enabled : {true, false}) b.setEnabled(enabled);
  EXPECT_EQ(b.getChild(), &other);
}

TEST(WButtonLook, EachKindInItsStatesMatchesTheGoldenImage) {
  static const unsigned char cross[5] = {0x88, 0x50, 0x20, 0x50, 0x88};
  WCanvas canvas;
  WChild<WArrowButton> left(WArrow::Left), right(WArrow::Right), up(WArrow::Up), down(WArrow::Down);
  WChild<WIconButton> icon(cross, plat::Point(5, 5));
  WImage picture("grantwell", plat::Point(16, 16));  // the face of all three below
  WChild<WImageButton> bevelled(true, true), flat(false, true), greyed(true, true);
  WidgetHost host(plat::Point(160, 44));
  WArrowButton* arrows[] = {&left, &right, &up, &down};
  WImageButton* images[] = {&bevelled, &flat, &greyed};
  for (int i = 0; i < 4; i++)
    canvas.add(arrows[i], plat::Rect(4 + 24 * i, 4, 24 + 24 * i, 20), nullptr);
  canvas.add(&icon, plat::Rect(100, 4, 116, 20), nullptr);
  for (int i = 0; i < 3; i++) {
    images[i]->addImage(&picture, nullptr);
    canvas.add(images[i], plat::Rect(4 + 26 * i, 22, 26 + 26 * i, 44), nullptr);
  }
  host.host(&canvas);
  host.focusWindow(true);
  right.setDown(true);
  up.setEnabled(false);
  greyed.setEnabled(false);
  canvas.setChildFocus(&down, false);
  host.pointer(plat::Point(35, 30));  // the flat button shows its hover bevel
  EXPECT_TRUE(flat.isHover());
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/buttons.png"));
}
