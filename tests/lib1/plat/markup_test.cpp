#include "lib1/plat/MarkUp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib1/plat/Exception.h"
#include "lib1/plat/MarkUpLayout.h"

namespace {

namespace mu = plat::MarkUp;
using plat::Point;
using plat::Rect;

// Records what the parser hands over; margin operators appear as "^m<op>".
struct Recorder : mu::Handler {
  struct Item {
    std::string text;
    int font, link;
    bool half;
    bool operator==(const Item&) const = default;
  };
  void markUpItem(const char* text, mu::Font font, int link, bool half) override {
    items.push_back({text, font, link, half});
  }
  void markUpMarginOp(char op) override { items.push_back({std::string("^m") + op, -1, -1, 0}); }
  std::vector<Item> items;
};

using Items = std::vector<Recorder::Item>;

Items parse(const char* text) {
  Recorder r;
  mu::parse(text, &r);
  return r.items;
}

// Parses text expecting an error; returns the message and, in *before, the
// items delivered before it.
std::string parseError(const char* text, Items* before = nullptr) {
  Recorder r;
  try {
    mu::parse(text, &r);
  } catch (const plat::Exception& e) {
    EXPECT_STREQ(e.type.get(), "");
    if (before) *before = r.items;
    return e.str();
  }
  ADD_FAILURE() << "no exception for " << text;
  return "";
}

TEST(MarkUpParse, ItemsFontsAndLinks) {
  EXPECT_EQ(parse("a^^b"), (Items{{"a^b", 0, 0, false}}));
  EXPECT_EQ(parse("^^"), (Items{{"^", 0, 0, false}}));
  EXPECT_EQ(parse("^bTitle^n\n"), (Items{{"Title", 1, 0, false}, {"\n", 0, 0, false}}));
  EXPECT_EQ(parse("^12{here^} now"), (Items{{"here", 0, 12, false}, {" now", 0, 0, false}}));
  EXPECT_EQ(parse("^u^1{a^2{b^}"), (Items{{"a", 2, 1, false}, {"b", 2, 2, false}}));
  EXPECT_EQ(parse("^2147483647{x"), (Items{{"x", 0, 2147483647, false}}));
  EXPECT_TRUE(parse("").empty());
  EXPECT_TRUE(parse(nullptr).empty());
  EXPECT_TRUE(parse("^b^n^u^}").empty());
}

TEST(MarkUpParse, NewlinesEndItemsAndMarkEmptyLines) {
  EXPECT_EQ(parse("x\n\ny"), (Items{{"x\n", 0, 0, false}, {"\n", 0, 0, true}, {"y", 0, 0, false}}));
  EXPECT_EQ(parse("\nA"), (Items{{"\n", 0, 0, true}, {"A", 0, 0, false}}));
  // A code at the start of the line means the newline no longer stands there.
  EXPECT_EQ(parse("a\n^b\n"), (Items{{"a\n", 0, 0, false}, {"\n", 1, 0, false}}));
  EXPECT_EQ(parse("a^^\n"), (Items{{"a^\n", 0, 0, false}}));
}

TEST(MarkUpParse, MarginOperatorsReachTheHandlerInOrder) {
  EXPECT_EQ(parse("a^m+b^m-^m0^m@c"), (Items{{"a", 0, 0, false},
                                             {"^m+", -1, -1, false},
                                             {"b", 0, 0, false},
                                             {"^m-", -1, -1, false},
                                             {"^m0", -1, -1, false},
                                             {"^m@", -1, -1, false},
                                             {"c", 0, 0, false}}));
}

TEST(MarkUpParse, BadCodesThrowAfterDeliveringWhatCameBefore) {
  Items before;
  EXPECT_EQ(parseError("one\ntwo^x", &before), "Bad mark-up char x");
  EXPECT_EQ(before, (Items{{"one\n", 0, 0, false}, {"two", 0, 0, false}}));
  EXPECT_EQ(parseError("ab^", &before), "Bad mark-up char ");
  EXPECT_EQ(before, (Items{{"ab", 0, 0, false}}));
  EXPECT_EQ(parseError("^0{a"), "Bad mark-up char 0");
  EXPECT_EQ(parseError("^{"), "Bad mark-up char {");
  // The whole character is shown, so the message stays valid UTF-8.
  EXPECT_EQ(parseError("^\xC3\xA9"), "Bad mark-up char \xC3\xA9");
  EXPECT_EQ(parseError("^\xC3"), "Bad mark-up char \xC3");
  EXPECT_EQ(parseError("^m"), "Bad margin operator ");
  EXPECT_EQ(parseError("^m*"), "Bad margin operator *");
  EXPECT_EQ(parseError("^m^"), "Bad margin operator ^");
}

TEST(MarkUpParse, BadLinks) {
  Items before;
  EXPECT_EQ(parseError("ok^3here", &before), "Malformed hyperlink");
  EXPECT_EQ(before, (Items{{"ok", 0, 0, false}}));
  EXPECT_EQ(parseError("^3"), "Malformed hyperlink");
  EXPECT_EQ(parseError("^1 {"), "Malformed hyperlink");
  EXPECT_THROW(parse("^99999999999{x"), plat::BadInt);
  EXPECT_THROW(parse("^2147483648{x"), plat::BadInt);
  EXPECT_EQ(parseError("^99999999999999999999999999999999{x"), "Failed to parse integer");
}

TEST(MarkUpStripper, PlainTextRemains) {
  mu::Stripper s("^bA^^B^n\n^12{link^}^m+x\n\n");
  EXPECT_STREQ(s.get(), "A^B\nlinkx\n\n");
  EXPECT_STREQ(mu::Stripper("").get(), "");
  EXPECT_STREQ(mu::Stripper(nullptr).get(), "");
  EXPECT_THROW(mu::Stripper("abc^q"), plat::Exception);
}

TEST(MarkUpStripper, ParsingAgainAppendsAfterWhateverTheStringHolds) {
  mu::Stripper s("^babc");
  s.clear();
  s.append("X");
  mu::parse("^ude^^f", &s);
  EXPECT_STREQ(s.get(), "Xde^f");
}

// A fixed-width font: every byte is 10 pixels wide, bold too; lines are 12
// pixels high.
struct FakeFont : mu::Layout::Callback {
  struct Placed {
    std::string text;
    Rect rect;
    int font, link;
    bool operator==(const Placed&) const = default;
  };
  void setFontAndLinkId(mu::Font f, int l) override {
    font = f;
    link = l;
  }
  int getFontHeight() override { return 12; }
  int getTextWidth(const char* b, const char* e) override { return int(e - b) * 10; }
  void addItem(const char* b, const char* e, const Rect& r) override {
    placed.push_back({std::string(b, e), r, font, link});
  }
  int font = -1, link = -1;
  std::vector<Placed> placed;
};

using Placed = std::vector<FakeFont::Placed>;

struct LaidOut {
  Placed placed;
  Point extent;
};

LaidOut layout(const char* text, int width) {
  FakeFont f;
  mu::Layout l(&f, width);
  mu::parse(text, &l);
  return {f.placed, l.getExtent()};
}

TEST(MarkUpLayout, BreaksAtBlanksAndDropsThem) {
  LaidOut r = layout("aaa bbb", 50);
  EXPECT_EQ(r.placed, (Placed{{"aaa", {0, 0, 30, 12}, 0, 0}, {"bbb", {0, 12, 30, 24}, 0, 0}}));
  EXPECT_EQ(r.extent, Point(30, 24));

  EXPECT_EQ(layout("aa bb cc", 80).placed, (Placed{{"aa bb cc", {0, 0, 80, 12}, 0, 0}}));
  EXPECT_EQ(layout("aaa \t  bbb", 50).placed[1], (FakeFont::Placed{"bbb", {0, 12, 30, 24}, 0, 0}));
  EXPECT_EQ(layout("aaa\tbbb", 50).placed.size(), 2u);
}

TEST(MarkUpLayout, TooWideWordsStandAloneAndOverflow) {
  LaidOut r = layout("ab abcdefgh cd", 50);
  EXPECT_EQ(r.placed, (Placed{{"ab", {0, 0, 20, 12}, 0, 0},
                              {"abcdefgh", {0, 12, 80, 24}, 0, 0},
                              {"cd", {0, 24, 20, 36}, 0, 0}}));
  EXPECT_EQ(r.extent, Point(80, 36));

  // The second item starts mid-line with a blank: the blank is the only
  // earlier break, so an empty piece ends the first line.
  EXPECT_EQ(layout("^bAAAA^n bbbbbb", 50).placed, (Placed{{"AAAA", {0, 0, 40, 12}, 1, 0},
                                                          {"", {40, 0, 40, 12}, 0, 0},
                                                          {"bbbbbb", {0, 12, 60, 24}, 0, 0}}));
}

TEST(MarkUpLayout, NoLimitKeepsOneLine) {
  std::string longText(1000, 'x');
  longText += " y";
  for (int width : {0, -5}) {
    LaidOut r = layout(longText.c_str(), width);
    ASSERT_EQ(r.placed.size(), 1u);
    EXPECT_EQ(r.extent, Point(10020, 12));
  }
}

TEST(MarkUpLayout, FontsAndLinksShareTheLine) {
  EXPECT_EQ(layout("^bA^nB", 0).placed,
            (Placed{{"A", {0, 0, 10, 12}, 1, 0}, {"B", {10, 0, 20, 12}, 0, 0}}));
  // A link is measured and placed in font 2 whatever font is in force.
  EXPECT_EQ(layout("^b^12{here^} now", 0).placed,
            (Placed{{"here", {0, 0, 40, 12}, 2, 12}, {" now", {40, 0, 80, 12}, 1, 0}}));
}

TEST(MarkUpLayout, NewlinesAndEmptyLines) {
  LaidOut r = layout("a\nb", 0);
  EXPECT_EQ(r.placed, (Placed{{"a", {0, 0, 10, 12}, 0, 0},
                              {"", {0, 12, 0, 24}, 0, 0},
                              {"b", {0, 12, 10, 24}, 0, 0}}));
  EXPECT_EQ(r.extent, Point(10, 24));
  EXPECT_EQ(layout("a\n", 0).extent, Point(10, 24));  // the trailing newline opens a line

  // An empty line is half as high.
  r = layout("a\n\nb", 0);
  ASSERT_EQ(r.placed.size(), 5u);
  EXPECT_EQ(r.placed[2].rect, Rect(0, 12, 0, 18));
  EXPECT_EQ(r.placed[3].rect, Rect(0, 18, 0, 24));
  EXPECT_EQ(r.placed[4], (FakeFont::Placed{"b", {0, 18, 10, 30}, 0, 0}));
  EXPECT_EQ(r.extent, Point(10, 30));
}

TEST(MarkUpLayout, MarginsIndentFollowingLines) {
  LaidOut r = layout("one\n^m+two\nthree\n^m-four", 0);
  std::vector<Point> starts;
  for (auto& p : r.placed)
    if (!p.text.empty()) starts.push_back(p.rect.tl);
  EXPECT_EQ(starts, (std::vector<Point>{{0, 0}, {6, 12}, {6, 24}, {0, 36}}));

  // Wrapped lines start at the margin too.
  EXPECT_EQ(layout("^m+aaa bbb", 50).placed,
            (Placed{{"aaa", {6, 0, 36, 12}, 0, 0}, {"bbb", {6, 12, 36, 24}, 0, 0}}));

  // "@" hangs the following lines under the current position; "0" resets.
  r = layout("ab^m@cd\nef^m0gh\nij", 0);
  EXPECT_EQ(r.placed[1].rect, Rect(20, 0, 40, 12));
  EXPECT_EQ(r.placed[3].rect, Rect(20, 12, 40, 24));
  EXPECT_EQ(r.placed[4].rect, Rect(0, 12, 20, 24));
  EXPECT_EQ(r.placed.back().rect, Rect(0, 24, 20, 36));
}

TEST(MarkUpLayout, MarginOperatorCalledDirectly) {
  FakeFont f;
  mu::Layout l(&f, 100);
  l.markUpMarginOp('+');
  l.markUpMarginOp('+');
  EXPECT_EQ(l.getMargin(), 12);
  EXPECT_EQ(l.getPos(), Point(12, 0));
  l.markUpMarginOp('-');
  EXPECT_EQ(l.getMargin(), 6);
  try {
    l.markUpMarginOp('x');
    FAIL() << "no exception";
  } catch (const plat::Exception& e) {
    EXPECT_STREQ(e.str(), "Bad margin operator: x");
  }
}

TEST(MarkUpLayout, BadMarkUpStopsAfterPlacingWhatCameBefore) {
  FakeFont f;
  mu::Layout l(&f, 100);
  EXPECT_THROW(mu::parse("ok ^x more", &l), plat::Exception);
  EXPECT_EQ(f.placed, (Placed{{"ok ", {0, 0, 30, 12}, 0, 0}}));
  EXPECT_EQ(l.getExtent(), Point(30, 12));
}

}  // namespace
