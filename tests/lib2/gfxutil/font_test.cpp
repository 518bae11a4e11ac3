#include "lib2/gfxutil/Font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Advances: 'i' 2, 'W' 8, the euro sign 6, an invalid sequence 5, all else 4.
struct FakeFont : gfxutil::Font {
  void drawChar(fb::WritablePixelBuffer*, int, const plat::Point&, unsigned) override {}
  int charWidth(int c) override {
    return c == 'i' ? 2 : c == 'W' ? 8 : c == 0x20AC ? 6 : c < 0 ? 5 : 4;
  }
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

}  // namespace
