#include "lib2/gfxutil/Font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Advances: 'i' and '.' 2, 'W' 8, the euro sign 6, an invalid sequence 5,
// all else 4; line height 10. Drawing records the text and the first pen.
struct FakeFont : gfxutil::Font {
  FakeFont() { height = 10; }
  void drawChar(fb::WritablePixelBuffer*, int c, const plat::Point& pos, unsigned) override {
    if (drawn.empty()) pen = pos;
    drawn += char(c);
  }
  int charWidth(int c) override {
    return c == 'i' || c == '.' ? 2 : c == 'W' ? 8 : c == 0x20AC ? 6 : c < 0 ? 5 : 4;
  }
  std::string drawn;
  plat::Point pen;
};

// Texts sit in a heap block of exactly the bound, so that a read past it
// shows under the address sanitizer; a cut inside a sequence leaves one
// invalid character; a NUL before the bound ends the text.
TEST(Font, TextWidthSumsAdvancesWithinTheBound) {
  struct {
    const char* text;
    int bound, width;  // bound -1: up to the NUL
  } rows[] = {{"", -1, 0},      {"iW", -1, 10}, {"a\xE2\x82\xAC", -1, 10}, {"a\xE2\x82\xAC", 2, 9},
              {"ab\0cd", 5, 8}, {"abcd", 3, 12}};
  for (const auto& r : rows) {
    size_t n = r.bound < 0 ? strlen(r.text) + 1 : size_t(r.bound);
    std::vector<char> text(r.text, r.text + n);
    FakeFont f;
    EXPECT_EQ(f.textWidth(text.data(), r.bound < 0 ? nullptr : text.data() + r.bound), r.width)
        << r.text;
  }
}

// Exactly half an advance stays before the character. Past the end: a
// NUL-terminated text gives its NUL, a bounded one its last character's start.
TEST(Font, PixelPosToCharRoundsToTheNearerBoundary) {
  FakeFont f;
  const char* text = "ab";
  int rows[][3] = {{0, -1, 0}, {2, -1, 0},  {3, -1, 1}, {6, -1, 1},
                   {7, -1, 2}, {99, -1, 2}, {99, 2, 1}, {99, 0, 0}};  // x, bound, position
  for (auto& [x, bound, position] : rows)
    EXPECT_EQ(f.pixelPosToChar(x, text, bound < 0 ? nullptr : text + bound) - text, position)
        << x << " " << bound;
}

TEST(Font, DrawTextTruncAlignsAndCutsAsTheRectangleAllows) {
  using plat::ALIGN_CENTRE, plat::ALIGN_LEFT, plat::ALIGN_RIGHT;
  struct {
    const char* text;
    plat::Rect rect;
    plat::Alignment h, v;
    bool ellipsis;
    const char* drawn;
    int penX, penY;
  } rows[] = {
      {"ab", {0, 0, 20, 14}, ALIGN_CENTRE, ALIGN_CENTRE, true, "ab", 6, 2},
      {"ab", {5, 5, 25, 19}, ALIGN_RIGHT, ALIGN_RIGHT, true, "ab", 17, 9},
      {"abcdef", {0, 0, 14, 10}, ALIGN_RIGHT, ALIGN_LEFT, true, "ab...", 0, 0},
      {"abcdef", {0, 0, 9, 10}, ALIGN_LEFT, ALIGN_LEFT, true, "", 0, 0},  // no room for "a..."
      {"abcdef", {0, 0, 9, 10}, ALIGN_RIGHT, ALIGN_LEFT, false, "ab", 1, 0},
      // Lower than the line: the free space is negative, halved toward zero.
      {"ab", {0, 0, 20, 3}, ALIGN_LEFT, ALIGN_CENTRE, false, "ab", 0, -3},
  };
  for (const auto& r : rows) {
    FakeFont f;
    f.drawTextTrunc(nullptr, r.text, r.rect, 1, r.h, r.v, r.ellipsis);
    EXPECT_EQ(f.drawn, r.drawn) << r.text << " in " << r.rect.width();
    EXPECT_EQ(f.pen, plat::Point(r.penX, r.penY)) << r.text << " in " << r.rect.width();
  }
  FakeFont bounded;
  const char* text = "abcd";
  bounded.drawTextTrunc(nullptr, text, {0, 0, 40, 10}, 1, ALIGN_LEFT, ALIGN_LEFT, true, text + 2);
  EXPECT_EQ(bounded.drawn, "ab");
}

// Lines joined by '|' for the table; they come after what was there.
TEST(Font, WrapBreaksAtBlanksAndNewlines) {
  struct {
    const char* text;
    int width;
    const char* lines;
    int widest;
  } rows[] = {
      {"a b", 5, "a|b", 4},       {"a b", 12, "a b", 12},
      {"a\n\nb", 100, "a||b", 4}, {"a\n", 100, "a|", 4},
      {"", 100, "", 0},           {"\xE2\x82\xAC \xE2\x82\xAC", 7, "\xE2\x82\xAC|\xE2\x82\xAC", 6},
      {"a b c", 0, "a b c", 20},  {"WWW a", 10, "WWW|a", 24},  // a long word overflows
      {"a  b", 9, "a |b", 8},                                  // the last of several blanks breaks
      {"a\tb", 5, "a|b", 4}};
  for (const auto& r : rows) {
    FakeFont f;
    std::vector<plat::String> lines{plat::String("kept")};
    EXPECT_EQ(f.wrap(r.text, r.width, &lines), r.widest) << r.text;
    std::string joined;
    for (const plat::String& l : lines)
      joined += (joined.empty() ? "" : "|") + std::string(l.get());
    EXPECT_EQ(joined, std::string("kept|") + r.lines) << r.text << " width " << r.width;
  }
}

}  // namespace
