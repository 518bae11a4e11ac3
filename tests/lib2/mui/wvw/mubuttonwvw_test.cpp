#include "lib2/mui/wvw/MuButtonWvw.h"

#include <gtest/gtest.h>

#include "lib2/wvw/WImageButton.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"

namespace {

using mui::MuButton;
using mui::MuButtonWvw;

class MuButtonWvwTest : public gwtest::ControlsHost {
 protected:
  MuButtonWvw* add(const char* label, MuButton::Type type, int flags = 0) {
    return static_cast<MuButtonWvw*>(mui::muButton(&root, "b", label, type, flags, {}));
  }
};

TEST_F(MuButtonWvwTest, HotKeyMarksLeaveTheShownText) {
  const struct {
    const char* name;
    MuButton::Type type;
    const char* text;
    const char* shown;
  } rows[] = {
      {"a marked letter", MuButton::Text, "&Save", "Save"},
      {"a doubled ampersand", MuButton::Text, "Users && &Groups", "Users & Groups"},
      {"a link", MuButton::Hyperlink, "&About", "About"},
  };
  for (const auto& r : rows) {
    MuButtonWvw* b = add(r.text, r.type);
    EXPECT_STREQ(b->findLabel()->getLabel(), r.shown) << r.name;
    b->setText(r.text);
    EXPECT_STREQ(b->findLabel()->getLabel(), r.shown) << r.name << ", set again";
    EXPECT_STREQ(b->getLabel(), r.text) << r.name;
  }
}

// At 4 pixels a millimetre the floors are 68 by 24 pixels; a wider label
// gets 20 logical units (10 pixels) beside its bevel.
TEST_F(MuButtonWvwTest, ATextButtonKeepsItsFloorsAndRoomBesideTheText) {
  MuButtonWvw* tiny = add("x", MuButton::Text);
  MuButtonWvw* wide = add("Refresh Users && Groups from the parameter", MuButton::Text);
  EXPECT_EQ(tiny->getMinHeight(0), 24);
  EXPECT_GE(tiny->getMinWidth(0), 68);
  EXPECT_EQ(wide->getMinWidth(0), wide->findLabel()->getMinWidth(0) + 6 + 10);
}

TEST_F(MuButtonWvwTest, ALinkIsRedUnderThePointerOrWithTheFocus) {
  MuButtonWvw* link = add("About", MuButton::Hyperlink);
  MuButtonWvw* other = add("Other", MuButton::Text);
  show();
  int blue = countColour(wvw::Widget::Blue);
  ASSERT_GT(blue, 0);
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
  MuButtonWvw* link = add("About", MuButton::Hyperlink);
  static_cast<mui::WHyperlinkButton*>(link->widget())->linkStyle().font = backEnd.mui().boldFont();
  link->setFontSize(12);
  EXPECT_EQ(link->findLabel()->getStyle()->font, backEnd.mui().getFont(12));
}

// "user_hover" does not exist: a hover picture of its own shows nothing,
// while without one hovering shows the normal picture.
TEST_F(MuButtonWvwTest, EachStateWithItsFlagGetsAPictureOfItsOwn) {
  const struct {
    const char* name;
    int flags;
    bool hoverLooksNormal;
  } rows[] = {
      {"normal only", MuButton::StateImages, true},
      {"with a hover picture", MuButton::StateImages | MuButton::StateHover, false},
  };
  for (const auto& r : rows) {
    MuButtonWvw* b = add("user", MuButton::Image, r.flags);
    show();
    std::vector<unsigned> normal = gwtest::pixels(host.render());
    host.pointer(middle(b));
    EXPECT_EQ(gwtest::pixels(host.render()) == normal, r.hoverLooksNormal) << r.name;
    host.unhost();
    root.removeChild(b);
  }
}

// The pictures a shown, pressed button replaces are its children until the
// new ones are in: they leave before they go, and the text stays.
TEST_F(MuButtonWvwTest, ANewPictureOnAShownButtonReplacesTheOldSafely) {
  const int rows[] = {0, MuButton::StateImages | MuButton::StateHover | MuButton::StatePressed};
  for (int flags : rows) {
    MuButtonWvw* b = add("user", MuButton::Image, flags);
    show();
    if (flags) b->setText("&Who");
    b->setImage("group", {});
    host.pointer(middle(b), 1);
    b->setImage("user", {});
    host.render();
    host.pointer(middle(b), 0);
    if (flags) {
      EXPECT_STREQ(b->findLabel()->getLabel(), "Who");
    } else {
      EXPECT_NE(static_cast<wvw::WImageButton*>(b->widget())->getChild(), nullptr);
    }
    host.unhost();
    root.removeChild(b);
  }
}

TEST_F(MuButtonWvwTest, AClickReportedByAChildWidgetIsNotTheButtons) {
  MuButtonWvw* ok = add("OK", MuButton::Text);
  ok->widget()->handleClick(ok->findLabel());
  EXPECT_TRUE(recorder.events.empty());
}

TEST_F(MuButtonWvwTest, PictureCallsOnTheWrongKindOfButtonStopTheProgram) {
  MuButtonWvw* text = add("Text", MuButton::Text);
  MuButtonWvw* plain = add("user", MuButton::Image);
  EXPECT_DEATH(text->setImage("user", {}), "Assertion 'type == Image' failed.*Not an image button");
  EXPECT_DEATH(plain->setText("x"), "Assertion 'db' failed.*Not a dynamic button");
  EXPECT_DEATH(plain->setImageScaleBorders(16, 1, 1, 1, 1), "Assertion 'db' failed");
}

}  // namespace
