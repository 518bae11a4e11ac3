#include "lib2/mui/wvw/MuButtonWvw.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lib2/wvw/WImageButton.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"

namespace {

using mui::MuButton;
using mui::MuButtonWvw;

class MuButtonWvwTest : public gwtest::ControlsHost {
 protected:
  MuButtonWvw* add(const char* id, const char* label, MuButton::Type type, int flags = 0) {
    return static_cast<MuButtonWvw*>(mui::muButton(&root, id, label, type, flags, {}));
  }
};

TEST_F(MuButtonWvwTest, HotKeyMarksLeaveTheShownText) {
  const struct {
    const char* name;
    MuButton::Type type;
    const char* first;
    const char* then;  // given to setText, or null
    const char* shown;
  } rows[] = {
      {"a marked letter", MuButton::Text, "&Save", nullptr, "Save"},
      {"a doubled ampersand", MuButton::Text, "Users && &Groups", nullptr, "Users & Groups"},
      {"a link", MuButton::Hyperlink, "&About", nullptr, "About"},
      {"a new text", MuButton::Text, "&Save", "&Load", "Load"},
      {"the same text again", MuButton::Text, "&Save", "&Save", "Save"},
  };
  for (const auto& r : rows) {
    MuButtonWvw* b = add("b", r.first, r.type);
    const char* before = b->getLabel();
    if (r.then) b->setText(r.then);
    EXPECT_STREQ(b->findLabel()->getLabel(), r.shown) << r.name;
    EXPECT_STREQ(b->getLabel(), r.then ? r.then : r.first) << r.name;
    if (r.then && !strcmp(r.then, r.first)) {
      EXPECT_EQ(b->getLabel(), before) << r.name;
    }
    root.removeChild(b);
  }
}

// At 4 pixels a millimetre the floors are 68 by 24 pixels; a label wider
// than that gets 20 logical units (10 pixels) beside its bevel.
TEST_F(MuButtonWvwTest, ATextButtonKeepsItsFloorsAndRoomBesideTheText) {
  ASSERT_EQ(mui::sizes[mui::MuiSizes::ButtonMinWidth], 68);
  MuButtonWvw* empty = add("e", "", MuButton::Text);
  MuButtonWvw* tiny = add("t", "x", MuButton::Text);
  MuButtonWvw* wide = add("w", "Refresh Users && Groups from the parameter", MuButton::Text);
  for (MuButtonWvw* b : {empty, tiny}) {
    EXPECT_GE(b->getMinWidth(0), 68) << b->getId();
    EXPECT_EQ(b->getMinHeight(0), 24) << b->getId();
  }
  int label = wide->findLabel()->getMinWidth(0);
  EXPECT_EQ(wide->getMinWidth(0), label + 6 + 10);
}

TEST_F(MuButtonWvwTest, AClickOnTheButtonIsClickedAndNothingElseIs) {
  MuButtonWvw* ok = add("ok", "OK", MuButton::Text);
  MuButtonWvw* link = add("link", "About", MuButton::Hyperlink);
  show();
  click(ok);
  click(link);
  // A click a child widget reports is not the button's.
  ok->widget()->handleClick(ok->findLabel());
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"ok 1", "link 1"}));
}

TEST_F(MuButtonWvwTest, ALinkIsRedUnderThePointerOrWithTheFocus) {
  MuButtonWvw* link = add("link", "About", MuButton::Hyperlink);
  MuButtonWvw* other = add("other", "Other", MuButton::Text);
  show();
  int blue = countColour(wvw::Widget::Blue);
  ASSERT_GT(blue, 0);
  EXPECT_EQ(countColour(wvw::Widget::Red), 0);

  host.pointer(middle(link));
  EXPECT_EQ(countColour(wvw::Widget::Red), blue) << "under the pointer";
  host.takeDirty();
  host.pointer(middle(link) + plat::Point(1, 0));
  EXPECT_EQ(host.dirtyText(), "") << "moving within repaints nothing";
  host.leave();
  EXPECT_EQ(countColour(wvw::Widget::Blue), blue) << "after the pointer left";

  host.focusWindow(true);
  link->focus();
  EXPECT_EQ(countColour(wvw::Widget::Red), blue) << "with the focus";
  other->focus();
  EXPECT_EQ(countColour(wvw::Widget::Blue), blue) << "after the focus went";
}

// A link draws with a style of its own, which a font size must reach too.
TEST_F(MuButtonWvwTest, ALinkTakesAFontSize) {
  MuButtonWvw* link = add("link", "About", MuButton::Hyperlink);
  static_cast<mui::WHyperlinkButton*>(link->widget())->linkStyle().font = backEnd.mui().boldFont();
  link->setFontSize(12);
  EXPECT_EQ(link->findLabel()->getStyle()->font, backEnd.mui().getFont(12));
}

TEST_F(MuButtonWvwTest, EachStateWithItsFlagGetsAPictureOfItsOwn) {
  const struct {
    const char* name;
    int flags;
    bool hoverLooksNormal;
  } rows[] = {
      {"normal only, hover falls back", MuButton::StateImages, true},
      {"a hover picture, \"user_hover\", which does not exist",
       MuButton::StateImages | MuButton::StateHover, false},
  };
  for (const auto& r : rows) {
    MuButtonWvw* b = add("b", "user", MuButton::Image, r.flags);
    show();
    std::vector<unsigned> normal = gwtest::pixels(host.render());
    host.pointer(middle(b));
    EXPECT_EQ(gwtest::pixels(host.render()) == normal, r.hoverLooksNormal) << r.name;
    host.unhost();
    root.removeChild(b);
  }
}

// The pictures a shown button replaces are still its children until the new
// ones are in: they must leave before they go, and the text stays.
TEST_F(MuButtonWvwTest, ANewPictureOnAShownButtonReplacesTheOldSafely) {
  const struct {
    const char* name;
    int flags;
  } rows[] = {
      {"plain image button", 0},
      {"state images", MuButton::StateImages | MuButton::StateHover | MuButton::StatePressed}};
  for (const auto& r : rows) {
    MuButtonWvw* b = add("b", "user", MuButton::Image, r.flags);
    show();
    if (r.flags) b->setText("&Who");
    b->setImage("group", {});
    host.pointer(middle(b), 1);
    b->setImage("user", {});
    host.render();
    host.pointer(middle(b), 0);
    if (r.flags) {
      EXPECT_STREQ(b->findLabel()->getLabel(), "Who") << r.name;
    } else {
      auto* plain = static_cast<wvw::WImageButton*>(b->widget());
      EXPECT_EQ(plain->getParentLayout(), mui::getWidget(&root)) << r.name;
      EXPECT_NE(plain->getChild(), nullptr) << r.name;
    }
    host.unhost();
    root.removeChild(b);
  }
}

TEST_F(MuButtonWvwTest, PictureCallsOnTheWrongKindOfButtonStopTheProgram) {
  MuButtonWvw* text = add("t", "Text", MuButton::Text);
  MuButtonWvw* plain = add("p", "user", MuButton::Image);
  EXPECT_DEATH(text->setImage("user", {}), "Assertion 'type == Image' failed.*Not an image button");
  EXPECT_DEATH(plain->setText("x"), "Assertion 'db' failed.*Not a dynamic button");
  EXPECT_DEATH(plain->setImageScaleBorders(16, 1, 1, 1, 1), "Assertion 'db' failed");
}

}  // namespace
