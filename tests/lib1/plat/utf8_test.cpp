#include "lib1/plat/Utf8.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "lib1/plat/Exception.h"
#include "tests/support/Failure.h"
#include "tests/support/Text.h"

using gwtest::own;

namespace {

// s in a heap block of exactly its size, so that ASan catches a read past its end.
std::unique_ptr<char[]> exact(const std::string& s) {
  std::unique_ptr<char[]> buf(new char[s.size() + s.empty()]);
  s.copy(buf.get(), s.size());
  return buf;
}

// The first character of s; *moved is how far the pointer moved past the lead byte.
int decode(const std::string& s, int* moved = nullptr) {
  auto e = exact(s);
  const char* p = e.get() + 1;
  int c = plat::readUtf8NonAscii(static_cast<unsigned char>(s[0]), &p, int(s.size()));
  if (moved) *moved = int(p - e.get() - 1);
  return c;
}

const std::string kFffd = "\xEF\xBF\xBD";

}  // namespace

TEST(Utf8, DecoderRejectsEveryBadForm) {
  // Surrogates, xFFFE/F, past U+10FFFF, overlong, U+FDD0..EF, 5/6-byte, FE/FF, strays.
  const char* const bad[][7] = {{"\xED\xA0\x80", "\xED\xBF\xBF", "\xEF\xBF\xBE", "\xEF\xBF\xBF",
                                 "\xF0\x9F\xBF\xBE", "\xF4\x8F\xBF\xBF", "\xF4\x90\x80\x80"},
                                {"\xC1\x81", "\xC0\x80", "\xE0\x80\x80", "\xE0\x9F\xBF",
                                 "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF", "\xEF\xB7\x90"},
                                {"\xEF\xB7\xAF", "\xF8\x88\x80\x80\x80", "\xFC\x84\x80\x80\x80\x80",
                                 "\xFE", "\xFF", "\x80", "\xBF"}};
  for (const auto& row : bad) {
    for (std::string b : row) {
      EXPECT_EQ(decode(b), -1) << testing::PrintToString(b);
      EXPECT_FALSE(plat::isValidUtf8(b.c_str())) << testing::PrintToString(b);
    }
  }
  // A bad lead consumes nothing, a bad continuation stops there, a bad value goes whole.
  for (auto [in, expected] : {std::pair{"\xFF\x80", 0}, {"\xF0\x9F(A", 1}, {"\xED\xA0\x80", 2}}) {
    int moved;
    EXPECT_EQ(decode(in, &moved), -1);
    EXPECT_EQ(moved, expected) << testing::PrintToString(in);
  }
}

TEST(Utf8, SanitizeRepairsAndRespectsMaxBytes) {
  const std::tuple<std::string, int, std::string> cases[] = {
      {"\xC3(", -1, kFffd + "("},
      {"\xE2\x82\xAC\xE2\x82\xAC", 4, "\xE2\x82\xAC"},
      {"ab\xFF", 5, "ab" + kFffd},
      // One replacement per sequence as the decoder consumed it.
      {"\xF0\x9F(\xED\xA0\x80\xFE", -1, kFffd + "(" + kFffd + kFffd},
      // At a range's end lead and continuation are bad apart.
      {"a\xE2\x82", -1, "a" + kFffd + kFffd}};
  for (const auto& [in, max, out] : cases) {
    auto e = exact(in);
    EXPECT_EQ(own(plat::sanitizeUtf8(e.get(), e.get() + in.size(), max)), out) << in << max;
  }
  // Before a NUL they are one bad sequence.
  EXPECT_EQ(own(plat::sanitizeUtf8("a\xE2\x82")), "a" + kFffd);
  EXPECT_EQ(own(plat::sanitizeUtf8("a\xE2\x82", nullptr, 3)), "a");
}

TEST(Utf8, Latin1ConversionsMapTheEuroSignAndMarkTheRest) {
  // Three bytes for each euro sign: the output must be sized for it.
  EXPECT_EQ(own(plat::latin1ToUtf8(std::string(1000, '\x80').c_str())).size(), 3000u);
  EXPECT_EQ(own(plat::utf8ToLatin1("\xE2\x82\xAC\xCE\xA9 a\xFF\xC3(")), "\x80? a?\?(");
  auto range = exact("a\xE2\x82");
  EXPECT_EQ(own(plat::utf8ToLatin1(range.get(), range.get() + 3)), "a?\?");
  EXPECT_EQ(own(plat::utf8ToLatin1("a\xE2\x82")), "a?");
  EXPECT_EQ(own(plat::latin1ToUtf8(nullptr)), "");
}

TEST(Utf8DeathTest, Latin1NeedsAStartForAnEnd) {
  const char* end = "x";
  EXPECT_DEATH(plat::latin1ToUtf8(nullptr, end), "Assertion 'lStart \\|\\| !lEnd' failed");
}

TEST(Utf8, EncodingOutOfRangeThrowsAndWritesNothing) {
  // A decoder's -1 must not become the byte 0xFF.
  for (int bad : {-1, -200, 0x110000, 0x7FFFFFFF}) {
    char buf[4], *p = buf;
    EXPECT_EQ(gwtest::failureOf([&] { plat::writeUtf8(bad, &p); }), "Unicode out of range");
    EXPECT_EQ(p, buf);
  }
}
