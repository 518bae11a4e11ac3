#include "lib1/plat/MarkUpLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/MarkUp.h"
#include "tests/support/Failure.h"

namespace {

namespace mu = plat::MarkUp;

// A fixed-width font, 10 pixels a byte and 12 a line; pieces as "[text]font/link@x,y-x2,y2".
struct FakeFont : mu::Layout::Callback {
  void setFontAndLinkId(mu::Font f, int l) override {
    font = std::to_string(f) + "/" + std::to_string(l);
  }
  int getFontHeight() override { return 12; }
  int getTextWidth(const char* b, const char* e) override { return int(e - b) * 10; }
  void addItem(const char* b, const char* e, const plat::Rect& r) override {
    out += "[" + std::string(b, e) + "]" + font + "@" + std::to_string(r.tl.x) + "," +
           std::to_string(r.tl.y) + "-" + std::to_string(r.br.x) + "," + std::to_string(r.br.y) +
           " ";
  }
  std::string font, out;
};

// The pieces, then "=" and the extent.
std::string laidOut(const char* text, int width) {
  FakeFont f;
  mu::Layout l(&f, width);
  mu::parse(text, &l);
  return f.out + "=" + std::to_string(l.getExtent().x) + "," + std::to_string(l.getExtent().y);
}

TEST(MarkUpLayout, LineBreaks) {
  // Blanks that still fit stay on the line; those after the break go.
  EXPECT_EQ(laidOut("aaa \t  bbb", 50), "[aaa \t]0/0@0,0-50,12 [bbb]0/0@0,12-30,24 =50,24");
  // A word wider than the line stands alone and overflows.
  EXPECT_EQ(laidOut("ab abcdefgh cd", 50),
            "[ab]0/0@0,0-20,12 [abcdefgh]0/0@0,12-80,24 [cd]0/0@0,24-20,36 =80,36");
  // The blank that starts the second item is its only earlier break point.
  EXPECT_EQ(laidOut("^bAAAA^n bbbbbb", 50),
            "[AAAA]1/0@0,0-40,12 []0/0@40,0-40,12 [bbbbbb]0/0@0,12-60,24 =60,24");
  EXPECT_EQ(laidOut("aaaa bbbb", -1), "[aaaa bbbb]0/0@0,0-90,12 =90,12");  // no limit
}

TEST(MarkUpLayout, ALinkIsSetInFontTwoWhateverFontIsInForce) {
  EXPECT_EQ(laidOut("^b^12{here^} now", 0), "[here]2/12@0,0-40,12 [ now]1/0@40,0-80,12 =80,12");
}

TEST(MarkUpLayout, Margins) {
  EXPECT_EQ(laidOut("a\n^m+b\nc\n^m-d", 0),
            "[a]0/0@0,0-10,12 []0/0@0,12-0,24 [b]0/0@6,12-16,24 []0/0@6,24-6,36 "
            "[c]0/0@6,24-16,36 []0/0@6,36-6,48 [d]0/0@0,36-10,48 =16,48");
}

TEST(MarkUpLayout, UnknownMarginOperatorThrows) {
  FakeFont f;
  mu::Layout l(&f, 100);
  EXPECT_EQ(gwtest::failureOf([&] { l.markUpMarginOp('x'); }), "Bad margin operator: x");
}

}  // namespace
