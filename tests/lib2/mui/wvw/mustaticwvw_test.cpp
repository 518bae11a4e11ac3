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
  MuStaticWvw* add(const char* text, MuStatic::Type type, bool singleLine, int width) {
    auto* s = static_cast<MuStaticWvw*>(mui::muStatic(&root, "s", "", type));
    s->setText(text, false, singleLine);
    s->setSize({width, 20});
    return s;
  }
  // What the label draws: its pieces' texts, mark-up undone.
  static std::string drawn(MuStaticWvw* s) {
    std::string t;
    for (const auto& p : s->label()->getPieces()) t += p.text.get();
    return t;
  }
};

// A shortened text is the longest start of the text, whole characters and
// carets, that fits beside the ellipsis in the width less 8 pixels.
TEST_F(MuStaticWvwTest, OnlyASingleLineStartOrEndAlignedTextIsShortened) {
  const char* wide = "A text ^ far too wide for the few pixels it gets here";
  const struct {
    const char* name;
    const char* text;
    MuStatic::Type type;
    bool singleLine;
    bool shortened;
  } rows[] = {
      {"single-line text", wide, MuStatic::Text, true, true},
      {"single-line heading", wide, MuStatic::Heading, true, true},
      {"single-line centred", wide, MuStatic::CenteredText, true, false},
      {"single-line right-aligned", wide, MuStatic::RightText, true, false},
      {"wrapped text", wide, MuStatic::Text, false, false},
      {"accented letters",
       "\xC3\x84\xC3\x96\xC3\x9C \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\xE2\x82\xAC "
       "\xC3\x84\xC3\x96",
       MuStatic::Text, true, true},
      {"carets", "^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^", MuStatic::Text, true, true},
  };
  for (const auto& r : rows) {
    MuStaticWvw* s = add(r.text, r.type, r.singleLine, 60);
    std::string d = drawn(s);
    if (!r.shortened) {
      // Wrapping drops the spaces where it breaks.
      auto words = [](std::string t) { return std::erase(t, ' '), t; };
      EXPECT_EQ(words(d), words(r.text)) << r.name;
      continue;
    }
    ASSERT_GT(d.size(), kEllipsis.size()) << r.name;
    std::string start = d.substr(0, d.size() - kEllipsis.size());
    EXPECT_EQ(d.substr(start.size()), kEllipsis) << r.name;
    EXPECT_EQ(std::string(r.text).find(start), 0u) << r.name;
    EXPECT_TRUE(plat::isValidUtf8(d.c_str())) << r.name;
    gfxutil::Font* font = s->label()->getStyle()->font;
    EXPECT_LE(font->textWidth(d.c_str()), 60 - 8) << r.name;
    std::string text = r.text;
    size_t next = start.size() + 1;
    while (next < text.size() && (text[next] & 0xC0) == 0x80) next++;
    std::string longer = text.substr(0, next) + kEllipsis;
    EXPECT_GT(font->textWidth(longer.c_str()), 60 - 8) << r.name;
  }
}

TEST_F(MuStaticWvwTest, AShortenedTextShowsWholeAgainWhenThereIsRoom) {
  MuStaticWvw* s = add("Permissions of the users and groups", MuStatic::Text, true, 60);
  ASSERT_NE(drawn(s), "Permissions of the users and groups");
  s->setSize({400, 20});
  EXPECT_EQ(drawn(s), "Permissions of the users and groups");
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
      {"bold text", MuStatic::Text, true, 0, m.headingFont()},
      {"bold heading", MuStatic::Heading, true, 0, m.boldFont()},
      {"heading at 20", MuStatic::Heading, false, 20, m.getBoldFont(20)},
  };
  for (const auto& r : rows) {
    auto* s = static_cast<MuStaticWvw*>(mui::muStatic(&root, "s", "", r.type));
    s->setText("Words", r.bold, false);
    if (r.fontSize) s->setFontSize(r.fontSize);
    EXPECT_EQ(s->label()->getStyle()->font, r.font) << r.name;
  }
}

}  // namespace
