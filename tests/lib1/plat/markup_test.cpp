#include "lib1/plat/MarkUp.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/Exception.h"

namespace {

namespace mu = plat::MarkUp;

// Items as "[text]font/link" ("h" for halfLine), "m<op>" margins, "!" and a failure.
struct Recorder : mu::Handler {
  void markUpItem(const char* text, mu::Font font, int link, bool half) override {
    out += "[" + std::string(text) + "]" + std::to_string(font) + "/" + std::to_string(link) +
           (half ? "h " : " ");
  }
  void markUpMarginOp(char op) override { out += std::string("m") + op + " "; }
  std::string out;
};

std::string parsed(const char* text) {
  Recorder r;
  try {
    mu::parse(text, &r);
  } catch (const plat::Exception& e) {
    EXPECT_STREQ(e.type.get(), "");
    r.out += std::string("!") + e.str();
  }
  return r.out;
}

TEST(MarkUpParse, CodesSetFontLinkAndMargins) {
  EXPECT_EQ(parsed("a^^b"), "[a^b]0/0 ");
  EXPECT_EQ(parsed("^bTitle^n\n"), "[Title]1/0 [\n]0/0 ");
  EXPECT_EQ(parsed("x\n\ny"), "[x\n]0/0 [\n]0/0h [y]0/0 ");
  EXPECT_EQ(parsed("a\n^b\n"), "[a\n]0/0 [\n]1/0 ");  // a code stands before the newline
  EXPECT_EQ(parsed("^12{here^} now"), "[here]0/12 [ now]0/0 ");
  EXPECT_EQ(parsed("^u^1{a^2{b^}"), "[a]2/1 [b]2/2 ");
  EXPECT_EQ(parsed("a^m+b^m-^m0^m@"), "[a]0/0 m+ [b]0/0 m- m0 m@ ");
  EXPECT_EQ(parsed(nullptr), "");
}

// The fuzz target checks the stripper against the parser's items.
TEST(MarkUpStripper, NoTextIsEmpty) { EXPECT_STREQ(mu::Stripper(nullptr).get(), ""); }

TEST(MarkUpParse, BadMarkUpThrowsAfterWhatCameBefore) {
  EXPECT_EQ(parsed("one\ntwo^x"), "[one\n]0/0 [two]0/0 !Bad mark-up char x");
  EXPECT_EQ(parsed("^0{a"), "!Bad mark-up char 0");
  // The whole character is shown, so that the message stays valid UTF-8.
  EXPECT_EQ(parsed("^\xC3\xA9"), "!Bad mark-up char \xC3\xA9");
  EXPECT_EQ(parsed("^\xC3"), "!Bad mark-up char \xC3");
  EXPECT_EQ(parsed("^m*"), "!Bad margin operator *");
  EXPECT_EQ(parsed("ok^3here"), "[ok]0/0 !Malformed hyperlink");
  EXPECT_EQ(parsed("^2147483648{x"), "!Failed to parse integer");
  Recorder r;
  EXPECT_THROW(mu::parse("^99999999999999999999999{x", &r), plat::BadInt);
}

}  // namespace
