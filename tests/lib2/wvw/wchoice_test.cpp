// Drop-down choices, driven through a stand-in window and popup window.
#include "lib2/wvw/WChoice.h"

#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

// No menu may be left shown (the hosts go first); as a handler, notes the items of a hidden menu.
struct ChoiceTest : testing::Test, WInputHandler {
  ChoiceTest() {
    for (auto [id, s] : {std::pair{5, "e"}, {1, "a"}, {3, "c"}}) c->addItem(id, s);
    host.host(c.get());
  }
  bool handleVisible(Widget* w) override {
    atHide += std::to_string(dynamic_cast<WMenu&>(*w).items().size());
    return false;
  }
  std::string lists() {  // the entries in id order, then the texts in the menu's order
    std::list<plat::String> out;
    c->getEntries(&out);
    std::string s;
    for (const plat::String& e : out) s += std::string(e.get()) + " ";
    for (WMenuItem* i : c->getMenu()->items()) s += std::string("|") + i->label().getLabel();
    return s;
  }
  void open() {
    c->getButton()->requestFocus();
    host.press(fb::keysym::Return);
  }
  std::unique_ptr<WChoice> c = std::make_unique<WChoice>(nullptr, true, false, 255);
  WidgetHost host{plat::Point(100, 23)}, popup{plat::Point(200, 100)};
  std::string atHide;
};

TEST_F(ChoiceTest, EntriesGoByIdAndAReplacedIdLeavesTheMenuWithItsTextAsGiven) {
  c->addItem(3, "R&D");
  c->setStr("R&D");
  EXPECT_EQ(lists() + " " + std::to_string(c->getId()), "1:a 3:R&D 5:e |e|a|R&D 3");
  c->setStr("r&d");
  EXPECT_EQ(c->getId(), -1);
}

TEST_F(ChoiceTest, NextStepsInIdOrderAndWrapsAndStartsAtAnEndFromAnUnknownText) {
  std::string ids;
  for (auto [from, fwd] : {std::pair{"c", 1}, {"e", 1}, {"a", 0}, {"z", 1}, {"z", 0}}) {
    c->setStr(from);
    ids += std::to_string(c->next(fwd)) + " ";
  }
  EXPECT_EQ(ids, "5 1 5 1 5 ");
}

TEST_F(ChoiceTest, SetStrReportsOnlyRealChangesAndAnUnknownFallbackIdEmpties) {
  c->setStr("a");
  host.topEvents.take();
  c->setStr("a");
  c->setStr(nullptr);
  EXPECT_EQ(host.topEvents.take(), "changed ?, changed ?");  // the field's, then the choice's
  c->setStr("c");
  c->setStr("x", 7);
  EXPECT_STREQ(c->getStr(), "");
}

TEST_F(ChoiceTest, At100PixelsTheFieldRunsUnderTheButton) {
  EXPECT_TRUE(c->getChildRect(c->getText()) == plat::Rect(0, 0, 85, 23));
  EXPECT_EQ(c->getChildPos(c->getButton()).x, 81);
  EXPECT_GE(c->getMenu()->getSize().x, 93);
}

TEST_F(ChoiceTest, TheReturnThatPicksSelectsTheTextAndNeitherReopensNorLeavesTheButtonDown) {
  open();
  popup.host(c->getMenu());
  popup.focusWindow(true);
  host.press(fb::keysym::Down);
  host.press(fb::keysym::Return);
  EXPECT_STREQ(c->getStr(), "a");
  EXPECT_EQ(c->getText()->getSelLength(), -1);  // all of it, the cursor at the end
  EXPECT_FALSE(c->getMenu()->isVisible() || c->getButton()->isDown());
}

TEST_F(ChoiceTest, TheMenuOpensOnTheCurrentItemSoAnImmediateReturnKeepsIt) {
  c->setStr("c");
  open();
  popup.host(c->getMenu());
  popup.focusWindow(true);
  host.press(fb::keysym::Return);
  EXPECT_STREQ(c->getStr(), "c");
}

TEST_F(ChoiceTest, AMenuTheWindowLayerTookDownNoLongerTakesTheKeys) {
  open();
  c->getMenu()->setVisible(false);  // as the window layer does on a press outside it
  host.press(fb::keysym::Return);   // opens again instead of picking a hidden item
  EXPECT_TRUE(*c->getStr() == '\0' && c->getMenu()->isVisible());
  c->getMenu()->setVisible(false);
  host.press(fb::keysym::Tab);
  EXPECT_EQ(c->getFocusedChild(), c->getText());
}

TEST_F(ChoiceTest, DestroyingTakesAShownMenuDownBeforeItsItemsGo) {
  open();
  c->setInputHandler(this);
  host.unhost();
  c.reset();
  EXPECT_EQ(atHide + " " + host.popups.back(), "3 hide 0,0");
}

TEST(WChoiceDeathTest, AnItemWithoutTextStops) {
  EXPECT_DEATH(WChoice(nullptr, true, false, 8).addItem(4, nullptr), "item 4 without text");
}
