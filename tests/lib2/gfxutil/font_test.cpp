#include "lib2/gfxutil/Font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Fixed advances: 'i' and '.' 2, 'W' 8, the euro sign 6, an invalid
// sequence 5, all else 4. Drawing only records what was drawn where.
struct FakeFont : gfxutil::Font {
  FakeFont() { height = 10; }
  void drawChar(fb::WritablePixelBuffer*, int c, const plat::Point& pos, unsigned) override {
    drawn += c < 128 ? char(c) : '?';
    pens.push_back(pos);
  }
  int charWidth(int c) override {
    switch (c) {
      case 'i':
      case '.':
        return 2;
      case 'W':
        return 8;
      case 0x20AC:
        return 6;
      case -1:
        return 5;
      default:
        return 4;
    }
  }
  std::string drawn;
  std::vector<plat::Point> pens;
};

// The text in a heap block of exactly its length, so that a read past the
// bound shows under the address sanitizer.
std::unique_ptr<char[]> exact(const char* s, size_t n) {
  std::unique_ptr<char[]> p(new char[n]);
  memcpy(p.get(), s, n);
  return p;
}

TEST(Font, TextWidthSumsAdvancesWithinTheBound) {
  struct Row {
    const char* text;
    int bound;  // -1: up to the NUL
    int width;
  } rows[] = {
      {"", -1, 0},
      {"ab", -1, 8},
      {"iW", -1, 10},
      {"a\xE2\x82\xAC", -1, 10},
      {"a\xE2\x82\xAC", 2, 9},  // cut inside the sequence: one invalid character
      {"ab\0cd", 5, 8},         // a NUL before the bound ends the text
      {"abcd", 3, 12},
  };
  for (const Row& r : rows) {
    FakeFont f;
    size_t n = r.bound < 0 ? strlen(r.text) + 1 : size_t(r.bound);
    auto text = exact(r.text, n);
    EXPECT_EQ(f.textWidth(text.get(), r.bound < 0 ? nullptr : text.get() + r.bound), r.width)
        << r.text;
  }
}

TEST(Font, FitWidthEndKeepsTheLongestPrefixThatFits) {
  struct Row {
    int width, kept;
  } rows[] = {{100, 3}, {12, 3}, {11, 2}, {4, 1}, {3, 0}, {0, 0}, {-1, 0}};
  FakeFont f;
  const char* text = "abc";
  for (const Row& r : rows)
    EXPECT_EQ(f.fitWidthEnd(text, r.width) - text, r.kept) << "width " << r.width;
}

TEST(Font, PixelPosToCharRoundsToTheNearerBoundary) {
  struct Row {
    int x, bound, pos;
  } rows[] = {
      {0, -1, 0}, {2, -1, 0}, {3, -1, 1},  {4, -1, 1},
      {6, -1, 1}, {7, -1, 2}, {99, -1, 2},  // past a NUL-terminated text: its NUL
      {99, 2, 1},                           // past a bounded text: the last character's start
      {99, 0, 0},
  };
  FakeFont f;
  const char* text = "ab";
  for (const Row& r : rows)
    EXPECT_EQ(f.pixelPosToChar(r.x, text, r.bound < 0 ? nullptr : text + r.bound) - text, r.pos)
        << "x " << r.x << " bound " << r.bound;
}

TEST(Font, DrawTextTruncAlignsAndCutsAsTheRectangleAllows) {
  struct Row {
    const char* text;
    plat::Rect rect;
    plat::Alignment h, v;
    bool ellipsis;
    const char* drawn;
    plat::Point pen;
  } rows[] = {
      {"ab", {0, 0, 20, 14}, plat::ALIGN_LEFT, plat::ALIGN_TOP, true, "ab", {0, 0}},
      {"ab", {0, 0, 20, 14}, plat::ALIGN_CENTRE, plat::ALIGN_CENTRE, true, "ab", {6, 2}},
      {"ab", {5, 5, 25, 19}, plat::ALIGN_RIGHT, plat::ALIGN_BOTTOM, true, "ab", {17, 9}},
      {"abcdef", {0, 0, 14, 10}, plat::ALIGN_LEFT, plat::ALIGN_TOP, true, "ab...", {0, 0}},
      {"abcdef", {0, 0, 14, 10}, plat::ALIGN_RIGHT, plat::ALIGN_TOP, true, "ab...", {0, 0}},
      {"abcdef", {0, 0, 9, 10}, plat::ALIGN_LEFT, plat::ALIGN_TOP, true, "", {0, 0}},
      {"abcdef", {0, 0, 9, 10}, plat::ALIGN_RIGHT, plat::ALIGN_TOP, false, "ab", {1, 0}},
      // A rectangle lower than the line: bottom alignment starts above it.
      {"ab", {0, 0, 20, 4}, plat::ALIGN_LEFT, plat::ALIGN_BOTTOM, false, "ab", {0, -6}},
      {"ab", {0, 0, 20, 3}, plat::ALIGN_LEFT, plat::ALIGN_CENTRE, false, "ab", {0, -3}},
  };
  for (const Row& r : rows) {
    FakeFont f;
    f.drawTextTrunc(nullptr, r.text, r.rect, 1, r.h, r.v, r.ellipsis);
    EXPECT_EQ(f.drawn, r.drawn) << r.text << " in width " << r.rect.width();
    if (!f.pens.empty()) {
      EXPECT_EQ(f.pens[0].x, r.pen.x) << r.text;
      EXPECT_EQ(f.pens[0].y, r.pen.y) << r.text;
    }
  }
}

TEST(Font, DrawTextTruncHonoursTheBoundOfATextThatFits) {
  FakeFont f;
  const char* text = "abcd";
  f.drawTextTrunc(nullptr, text, {0, 0, 40, 10}, 1, plat::ALIGN_LEFT, plat::ALIGN_TOP, true,
                  text + 2);
  EXPECT_EQ(f.drawn, "ab");
}

TEST(Font, WrapBreaksAtBlanksAndNewlines) {
  struct Row {
    const char* text;
    int width;
    std::vector<std::string> lines;
    int widest;
  } rows[] = {
      {"a b", 5, {"a", "b"}, 4},       {"a b", 12, {"a b"}, 12}, {"a\n\nb", 100, {"a", "", "b"}, 4},
      {"a\n", 100, {"a", ""}, 4},      {"", 100, {""}, 0},       {"a b c", 0, {"a b c"}, 20},
      {"WWW a", 10, {"WWW", "a"}, 24},  // a long word overflows
      {"a  b", 9, {"a ", "b"}, 8},      // the last of several blanks breaks
      {"a\tb", 5, {"a", "b"}, 4},
  };
  for (const Row& r : rows) {
    FakeFont f;
    std::vector<plat::String> lines{plat::String("kept")};
    EXPECT_EQ(f.wrap(r.text, r.width, &lines), r.widest) << r.text;
    std::vector<std::string> got;
    for (size_t i = 1; i < lines.size(); i++) got.push_back(lines[i].get());
    EXPECT_EQ(got, r.lines) << r.text << " width " << r.width;
    EXPECT_STREQ(lines[0].get(), "kept");
  }
}

}  // namespace
