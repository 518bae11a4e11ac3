#include "lib1/plat/Utf8.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "lib1/plat/Exception.h"
#include "lib1/plat/StrUtil.h"
#include "tests/support/Failure.h"
#include "tests/support/Text.h"

using gwtest::own;

namespace {

// "C3 A9, 80" -> {"\xC3\xA9", "\x80"}
std::vector<std::string> hex(const std::string& list) {
  std::vector<std::string> out;
  std::istringstream items(list);
  for (std::string item; std::getline(items, item, ',');) {
    std::istringstream bytes(item);
    out.emplace_back();
    for (int b; bytes >> std::hex >> b;) out.back() += char(b);
  }
  return out;
}

// The bytes of s in a heap block of exactly their size, with no NUL after
// them, so that a read past the end of a range is caught under ASan.
struct Exact {
  explicit Exact(const std::string& s) : n(s.size()), buf(new char[n + !n]) {
    s.copy(buf.get(), n);
  }
  const char* begin() const { return buf.get(); }
  const char* end() const { return buf.get() + n; }
  size_t n;
  std::unique_ptr<char[]> buf;
};

// Decodes the first character of s; *moved is how far the pointer moved
// past the lead byte.
int decode(const std::string& s, int* moved = nullptr) {
  Exact e(s);
  const char* p = e.begin() + 1;
  int c = plat::readUtf8NonAscii(static_cast<unsigned char>(s[0]), &p, int(s.size()));
  if (moved) *moved = int(p - e.begin() - 1);
  return c;
}

std::string sanitize(const std::string& s, int maxBytes = -1) {
  Exact e(s);
  return own(plat::sanitizeUtf8(e.begin(), e.end(), maxBytes));
}

const std::string kFffd = "\xEF\xBF\xBD";

}  // namespace

TEST(Utf8, DecoderRejectsEveryBadForm) {
  // Surrogates, xFFFE/xFFFF, above U+10FFFF, overlong, U+FDD0..U+FDEF, 5- and
  // 6-byte forms, FE/FF and stray continuation bytes.
  for (const std::string& b :
       hex("ED A0 80, ED BF BF, EF BF BE, EF BF BF, F0 9F BF BE, F4 8F BF BF, F4 90 80 80, C1 81,"
           "C0 80, E0 80 80, E0 9F BF, F0 80 80 80, F0 8F BF BF, EF B7 90, EF B7 AF,"
           "F8 88 80 80 80, FC 84 80 80 80 80, FE, FF, 80, BF")) {
    EXPECT_EQ(decode(b), -1) << testing::PrintToString(b);
    EXPECT_FALSE(plat::isValidUtf8(b.c_str())) << testing::PrintToString(b);
  }
  int moved;
  EXPECT_EQ(decode("\xFF\x80", &moved), -1);  // bad lead: nothing consumed
  EXPECT_EQ(moved, 0);
  EXPECT_EQ(decode("\xF0\x9F(A", &moved), -1);  // stops on the bad byte
  EXPECT_EQ(moved, 1);
  EXPECT_EQ(decode("\xED\xA0\x80", &moved), -1);  // a rejected value is consumed whole
  EXPECT_EQ(moved, 2);
}

TEST(Utf8, ACharacterCutOffAtTheEndOfARangeIsBad) {
  // Whatever text comes before, a range is never read past its end (ASan).
  for (const std::string& tail : hex("C3, E2 82, F0 9F 98, F0, 80")) {
    for (int lead = 0; lead <= 17; lead++) {
      Exact e(std::string(lead, 'a') + tail);
      EXPECT_FALSE(plat::isValidUtf8(e.begin(), e.end())) << lead;
      EXPECT_EQ(plat::utf8NumColumns(e.begin(), e.end()), lead);
    }
  }
  EXPECT_TRUE(plat::isValidUtf8(nullptr));
}

TEST(Utf8, SanitizeRepairsAndRespectsMaxBytes) {
  const std::tuple<std::string, int, std::string> cases[] = {
      {"\xC3(", -1, kFffd + "("},
      {"\xE2\x82\xAC\xE2\x82\xAC", 4, "\xE2\x82\xAC"},
      {"ab\xFF", 4, "ab"},
      {"ab\xFF", 5, "ab" + kFffd},
      // One replacement per sequence as the decoder consumed it.
      {"\xF0\x9F(\xED\xA0\x80\xFE", -1, kFffd + "(" + kFffd + kFffd},
      // At a range's end lead and continuation are bad apart.
      {"a\xE2\x82", -1, "a" + kFffd + kFffd}};
  for (const auto& [in, max, out] : cases) EXPECT_EQ(sanitize(in, max), out) << in << max;
  // Before a NUL they are one bad sequence.
  EXPECT_EQ(own(plat::sanitizeUtf8("a\xE2\x82")), "a" + kFffd);
  EXPECT_EQ(own(plat::sanitizeUtf8("a\xE2\x82", nullptr, 3)), "a");
}

TEST(Utf8, StrvisEscapesForLogs) {
  auto vis = [](const std::string& s) { return own(plat::strvisUtf8(s.c_str(), '~')); };
  for (auto [in, out] : {std::pair{"a\tb~", "a~^Ib~~"},
                         {"\x01\x7F\n", "~^A~^?~^J"},
                         {"caf\xE9", "caf~M-i"},
                         {"\x80\xA0\xFF", "~M^@~M^`~M^?"},
                         {"\xE2\x82", "~M-b~M^B"}})
    EXPECT_EQ(vis(in), out);
  // The worst case, four output bytes per input byte, fits exactly.
  EXPECT_EQ(vis(std::string(1000, '\x80')).size(), 4000u);
}

TEST(Utf8, Latin1ConversionsMapTheEuroSignAndMarkTheRest) {
  // Three bytes for each euro sign: the output must be sized for it.
  EXPECT_EQ(own(plat::latin1ToUtf8(std::string(1000, '\x80').c_str())).size(), 3000u);
  EXPECT_EQ(own(plat::utf8ToLatin1("\xE2\x82\xAC\xCE\xA9 a\xFF\xC3(")), "\x80? a?\?(");
  Exact range("a\xE2\x82");
  EXPECT_EQ(own(plat::utf8ToLatin1(range.begin(), range.end())), "a?\?");
  EXPECT_EQ(own(plat::utf8ToLatin1("a\xE2\x82")), "a?");
  EXPECT_EQ(own(plat::latin1ToUtf8(nullptr)), "");
}

TEST(Utf8DeathTest, Latin1NeedsAStartForAnEnd) {
  const char* end = "x";
  EXPECT_DEATH(plat::latin1ToUtf8(nullptr, end), "Assertion 'lStart \\|\\| !lEnd' failed");
}

TEST(Utf8, EncodeAndDecodeAtTheBoundaries) {
  // The shortest form at each length boundary; surrogates and non-characters
  // are written unchanged but do not decode.
  std::vector<std::string> bytes =
      hex("C2 80, DF BF, E0 A0 80, ED A0 80, EF B7 8F, EF B7 B0, F0 90 80 80, F4 8F BF BD,"
          "F4 8F BF BF");
  int codes[] = {0x80, 0x7FF, 0x800, 0xD800, 0xFDCF, 0xFDF0, 0x10000, 0x10FFFD, 0x10FFFF};
  for (size_t i = 0; i < bytes.size(); i++) {
    char buf[4], *p = buf;
    plat::writeUtf8(codes[i], &p);
    EXPECT_EQ(std::string(buf, p), bytes[i]) << i;
    bool decodes = codes[i] != 0xD800 && codes[i] != 0x10FFFF;
    EXPECT_EQ(decode(bytes[i]), decodes ? codes[i] : -1) << i;
  }
}

TEST(Utf8, EncodingOutOfRangeThrowsAndWritesNothing) {
  // A decoder's -1 must not become the byte 0xFF.
  for (int bad : {-1, -200, 0x110000, 0x7FFFFFFF}) {
    char buf[4], *p = buf;
    EXPECT_EQ(gwtest::failureOf([&] { plat::writeUtf8(bad, &p); }), "Unicode out of range");
    EXPECT_EQ(p, buf);
  }
}

TEST(Utf8, FixupMovesASelectionOntoCharacterBoundaries) {
  const char* s = "a\xE2\x82\xAC-";  // a, euro (3 bytes), -
  const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
      {{2, 1}, {4, 0}},  {{2, 3}, {4, 1}}, {{-5, -1}, {0, 5}},
      {{99, 3}, {5, 0}}, {{0, 2}, {0, 4}}, {{1, 50}, {1, 4}}};
  for (auto [in, out] : cases) {
    auto [pos, len] = in;
    plat::fixupUtf8Pos(s, &pos, &len);
    EXPECT_EQ(std::pair(pos, len), out) << in.first << "," << in.second;
  }
  int pos = 2;
  plat::fixupUtf8Pos(s, &pos, nullptr);
  EXPECT_EQ(pos, 4);
}

TEST(Utf8, Back1StopsAtTheStartOrAfterFourBytes) {
  // Back one character, never before the start; without one, four bytes at most.
  auto back = [](const char* text, int from, int start) {
    const char* p = text + from;
    plat::utf8Back1(&p, start < 0 ? nullptr : text + start);
    return int(p - text);
  };
  const char* s = "a\xE2\x82\xAC-";
  EXPECT_EQ(back(s, 4, 0), 1);
  EXPECT_EQ(back(s, 0, 0), 0);
  EXPECT_EQ(back(s, 3, 2), 2);
  EXPECT_EQ(back("\x80\x80\x80\x80\x80\x80", 6, -1), 2);
}

TEST(Utf8, ColumnsCountWideCharactersTwiceUnderAUtf8Locale) {
  EXPECT_EQ(plat::utf8NumColumns("ab\xFF-cd"), 2);
  EXPECT_EQ(plat::utf8NumColumns("\t"), 1);
  std::string old = setlocale(LC_CTYPE, nullptr);
  ASSERT_TRUE(setlocale(LC_CTYPE, "C.UTF-8"));
  EXPECT_EQ(plat::utf8NumColumns("\xE6\x97\xA5\xE6\x9C\xAC"), 4);
  EXPECT_EQ(plat::utf8NumColumns("a\xE2\x82\xAC-"), 3);
  setlocale(LC_CTYPE, old.c_str());
}
