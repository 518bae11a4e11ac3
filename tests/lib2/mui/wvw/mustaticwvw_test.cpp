#include "lib2/mui/wvw/MuStaticWvw.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/Utf8.h"
#include "lib2/gfxutil/Font.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"

namespace {

using mui::MuStatic;
using mui::MuStaticWvw;

const std::string kEllipsis = "\xE2\x80\xA6";

class MuStaticWvwTest : public gwtest::ControlsHost {
 protected:
  MuStaticWvw* add(const char* text, MuStatic::Type type = MuStatic::Text) {
    return static_cast<MuStaticWvw*>(mui::muStatic(&root, "s", text, type));
  }
  static std::string shown(MuStaticWvw* s) { return s->label()->getLabel(); }
  // What the label draws: its pieces' texts, mark-up undone.
  static std::string drawn(MuStaticWvw* s) {
    std::string t;
    for (const auto& p : s->label()->getPieces()) t += p.text.get();
    return t;
  }
};

TEST_F(MuStaticWvwTest, CaretsShowAsTheyAre) {
  MuStaticWvw* s = add("x^2 ^b^^");
  s->setSize({200, 20});
  EXPECT_EQ(shown(s), "x^^2 ^^b^^^^");
  EXPECT_EQ(drawn(s), "x^2 ^b^^");
  EXPECT_STREQ(s->getLabel(), "x^2 ^b^^");
}

TEST_F(MuStaticWvwTest, OnlyASingleLineStartOrEndAlignedTextIsShortened) {
  const char* text = "A text far too wide for the few pixels it gets here";
  const struct {
    const char* name;
    MuStatic::Type type;
    bool singleLine;
    bool shortened;
  } rows[] = {
      {"single-line text", MuStatic::Text, true, true},
      {"single-line heading", MuStatic::Heading, true, true},
      {"single-line centred", MuStatic::CenteredText, true, false},
      {"single-line right-aligned", MuStatic::RightText, true, false},
      {"wrapped text", MuStatic::Text, false, false},
  };
  for (const auto& r : rows) {
    MuStaticWvw* s = add("", r.type);
    s->setText(text, false, r.singleLine);
    s->setSize({100, 20});
    std::string t = shown(s);
    if (r.shortened) {
      EXPECT_EQ(t.substr(t.size() - kEllipsis.size()), kEllipsis) << r.name;
      EXPECT_LE(s->label()->getStyle()->font->textWidth(t.c_str()), 100 - 8) << r.name;
      // One character more would not have fitted.
      std::string longer = std::string(text, t.size() - kEllipsis.size() + 1) + kEllipsis;
      EXPECT_GT(s->label()->getStyle()->font->textWidth(longer.c_str()), 100 - 8) << r.name;
    } else {
      EXPECT_EQ(t, text) << r.name;
    }
    root.removeChild(s);
  }
}

TEST_F(MuStaticWvwTest, ShorteningNeverSplitsACharacterOrAnEscape) {
  const struct {
    const char* name;
    const char* text;
  } rows[] = {
      {"accented letters",
       "\xC3\x84\xC3\x96\xC3\x9C \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\xE2\x82\xAC"
       " \xC3\x84\xC3\x96\xC3\x9C \xC3\xA4\xC3\xB6\xC3\xBC"},
      {"carets", "^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^"},
  };
  for (const auto& r : rows) {
    MuStaticWvw* s = add("");
    s->setText(r.text, false, true);
    s->setSize({48, 20});
    std::string d = drawn(s);
    EXPECT_TRUE(plat::isValidUtf8(d.c_str())) << r.name;
    ASSERT_GT(d.size(), kEllipsis.size()) << r.name;
    EXPECT_EQ(d.substr(d.size() - kEllipsis.size()), kEllipsis) << r.name;
    EXPECT_EQ(std::string(r.text).find(d.substr(0, d.size() - kEllipsis.size())), 0u) << r.name;
    root.removeChild(s);
  }
}

TEST_F(MuStaticWvwTest, AShortenedTextShowsWholeAgainWhenThereIsRoom) {
  MuStaticWvw* s = add("");
  s->setText("Permissions of the users and groups", false, true);
  s->setSize({60, 20});
  ASSERT_NE(shown(s), "Permissions of the users and groups");
  s->setSize({400, 20});
  EXPECT_EQ(shown(s), "Permissions of the users and groups");
}

TEST_F(MuStaticWvwTest, FontsFollowTheKindTheBoldOptionAndTheSize) {
  mui::MuiWvw& m = backEnd.mui();
  const struct {
    const char* name;
    MuStatic::Type type;
    bool bold;
    int fontSize;  // 0: not set
    gfxutil::Font* font;
  } rows[] = {
      {"text", MuStatic::Text, false, 0, m.style().font},
      {"bold text", MuStatic::Text, true, 0, m.headingFont()},
      {"heading", MuStatic::Heading, false, 0, m.boldFont()},
      {"bold heading", MuStatic::Heading, true, 0, m.boldFont()},
      {"text at 20", MuStatic::Text, false, 20, m.getFont(20)},
      {"bold text at 12", MuStatic::Text, true, 12, m.getBoldFont(12)},
      {"heading at 20", MuStatic::Heading, false, 20, m.getBoldFont(20)},
  };
  for (const auto& r : rows) {
    MuStaticWvw* s = add("", r.type);
    s->setText("Words", r.bold, false);
    if (r.fontSize) s->setFontSize(r.fontSize);
    EXPECT_EQ(s->label()->getStyle()->font, r.font) << r.name;
    root.removeChild(s);
  }
}

TEST_F(MuStaticWvwTest, ARuleIsTwoPixelsHighAndShowsNoText) {
  MuStaticWvw* rule = add("ignored", MuStatic::HorizontalLine);
  EXPECT_EQ(rule->label(), nullptr);
  EXPECT_EQ(rule->getMinHeight(100), 2);
  rule->setText("Still ignored", false, true);
  EXPECT_STREQ(rule->getLabel(), "Still ignored");
  EXPECT_FALSE(mui::getWidget(rule)->acceptsFocus());
}

TEST_F(MuStaticWvwTest, ANewTextColourIsRepainted) {
  MuStaticWvw* s = add("Coloured");
  show();
  EXPECT_EQ(countColour(wvw::Widget::Green), 0);
  s->setTextColour(wvw::Widget::Green);
  EXPECT_NE(host.dirtyText(), "");
  EXPECT_GT(countColour(wvw::Widget::Green), 0);
}

}  // namespace
