#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "lib1/plat/Ellipsis.h"
#include "lib1/plat/EnvExpand.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Hex.h"
#include "lib1/plat/Hotkey.h"
#include "lib1/plat/SplitterInPlace.h"
#include "lib1/plat/StrUtil.h"

namespace {

using plat::SplitterInPlace;

TEST(SplitterInPlace, NextGivesEveryPieceIncludingEmptyOnes) {
  char text[] = "a,b,,c";
  SplitterInPlace s(text);
  EXPECT_STREQ(s.next(','), "a");
  EXPECT_STREQ(s.next(','), "b");
  EXPECT_STREQ(s.next(','), "");
  EXPECT_STREQ(s.next(','), "c");
  EXPECT_EQ(s.next(','), nullptr);
  EXPECT_EQ(s.next(','), nullptr);
}

TEST(SplitterInPlace, EmptyTextAndTrailingSeparator) {
  char empty[] = "";
  SplitterInPlace e(empty);
  EXPECT_STREQ(e.next(','), "");
  EXPECT_EQ(e.next(','), nullptr);

  char trailing[] = "a,";
  SplitterInPlace t(trailing);
  EXPECT_STREQ(t.next(','), "a");
  EXPECT_STREQ(t.next(','), "");
  EXPECT_EQ(t.next(','), nullptr);

  SplitterInPlace null(nullptr);
  EXPECT_EQ(null.next(','), nullptr);
  EXPECT_EQ(null.last(','), nullptr);
}

TEST(SplitterInPlace, NulSeparatorNeverRunsPastTheText) {
  char text[] = "ab";
  SplitterInPlace s(text);
  EXPECT_STREQ(s.next('\0'), "ab");
  EXPECT_EQ(s.rest(), nullptr);
}

TEST(SplitterInPlace, NextOneOfReportsTheSeparator) {
  char text[] = "k=v;w";
  SplitterInPlace s(text);
  char found = 'x';
  EXPECT_STREQ(s.nextOneOf("=;", &found), "k");
  EXPECT_EQ(found, '=');
  EXPECT_STREQ(s.nextOneOf("=;", &found), "v");
  EXPECT_EQ(found, ';');
  EXPECT_STREQ(s.nextOneOf("=;", &found), "w");
  EXPECT_EQ(found, '\0');
  found = 'x';
  EXPECT_EQ(s.nextOneOf("=;", &found), nullptr);
  EXPECT_EQ(found, '\0');
}

TEST(SplitterInPlace, NextStringSkipsTheWholeSeparator) {
  char text[] = "a::b:c::";
  SplitterInPlace s(text);
  EXPECT_STREQ(s.nextString("::"), "a");
  EXPECT_STREQ(s.nextString("::"), "b:c");
  EXPECT_STREQ(s.nextString("::"), "");
  EXPECT_EQ(s.nextString("::"), nullptr);

  // An empty separator must not give endless empty pieces.
  char other[] = "xy";
  SplitterInPlace e(other);
  EXPECT_STREQ(e.nextString(""), "xy");
  EXPECT_EQ(e.nextString(""), nullptr);
}

TEST(SplitterInPlace, LastCutsAtTheLastSeparator) {
  char text[] = "/usr/lib/x";
  SplitterInPlace s(text);
  EXPECT_STREQ(s.last('/'), "x");
  EXPECT_STREQ(s.rest(), "/usr/lib");
  EXPECT_STREQ(s.last('/'), "lib");
  EXPECT_STREQ(s.last('/'), "usr");
  EXPECT_STREQ(s.rest(), "");
  EXPECT_STREQ(s.last('/'), "");
  EXPECT_EQ(s.rest(), nullptr);
  EXPECT_EQ(s.last('/'), nullptr);
}

TEST(Hex, ReadHexAndShift) {
  int acc = 1;
  EXPECT_TRUE(plat::readHexAndShift('F', &acc));
  EXPECT_EQ(acc, 31);
  EXPECT_TRUE(plat::readHexAndShift('a', &acc));
  EXPECT_EQ(acc, 31 * 16 + 10);
  EXPECT_FALSE(plat::readHexAndShift('g', &acc));
  EXPECT_FALSE(plat::readHexAndShift('\0', &acc));
  EXPECT_EQ(acc, 31 * 16 + 10);
}

TEST(Hex, HexStrToBin) {
  plat::MBuf<unsigned char> out;
  ASSERT_TRUE(plat::hexStrToBin("0aFf", &out));
  ASSERT_EQ(out.length, 2);
  EXPECT_EQ(out.data[0], 0x0a);
  EXPECT_EQ(out.data[1], 0xff);

  EXPECT_FALSE(plat::hexStrToBin("abc", &out));
  EXPECT_EQ(out.length, 0);
  EXPECT_EQ(out.data, nullptr);
  EXPECT_FALSE(plat::hexStrToBin("zz", &out));
  EXPECT_FALSE(plat::hexStrToBin("00zz", &out));
  EXPECT_EQ(out.data, nullptr);
  EXPECT_TRUE(plat::hexStrToBin("", &out));
  EXPECT_EQ(out.length, 0);
  EXPECT_TRUE(plat::hexStrToBin(nullptr, &out));
}

TEST(Hex, SecureOutputIsReleasedEvenOnBadInput) {
  plat::MBuf<unsigned char> out(true);
  ASSERT_TRUE(plat::hexStrToBin("deadbeef", &out));
  EXPECT_EQ(out.length, 4);
  EXPECT_FALSE(plat::hexStrToBin("dead!!", &out));
  EXPECT_EQ(out.length, 0);
  EXPECT_TRUE(out.secure);
}

TEST(Hex, IntToHexAndBinToHexStr) {
  EXPECT_EQ(plat::intToHex(0), '0');
  EXPECT_EQ(plat::intToHex(15), 'f');
  try {
    plat::intToHex(16);
    FAIL() << "no exception";
  } catch (const plat::AssertionFail& e) {
    EXPECT_STREQ(e.expr, "i >= 0 && i <= 15");
  }
  EXPECT_THROW(plat::intToHex(-1), plat::AssertionFail);

  const unsigned char bytes[] = {0x00, 0x9c, 0xff};
  char* s = plat::binToHexStr({3, bytes});
  EXPECT_STREQ(s, "009cff");
  delete[] s;
  s = plat::binToHexStr({});
  EXPECT_STREQ(s, "");
  delete[] s;
}

std::string dump(const char* prefix, const char* linePrefix, const unsigned char* data, int len) {
  testing::internal::CaptureStderr();
  plat::hexDump(prefix, linePrefix, data, len);
  return testing::internal::GetCapturedStderr();
}

TEST(Hex, DumpOfTwentyBytes) {
  unsigned char data[20];
  for (int i = 0; i < 20; i++) data[i] = static_cast<unsigned char>('A' + i);
  data[1] = 0x7f;
  data[17] = '\n';
  EXPECT_EQ(dump("P:", "L:", data, 20),
            "P:"
            "41 7f 43 44  45 46 47 48  49 4a 4b 4c  4d 4e 4f 50  A.CDEFGHIJKLMNOP\n"
            "L:"
            "51 0a 53 54  "
            "             "
            "             "
            "             "
            "Q.ST\n");
}

TEST(Hex, DumpEdges) {
  EXPECT_EQ(dump("P", "L", nullptr, 0), "P");
  unsigned char sixteen[16] = {};
  std::string full = dump("", "L", sixteen, 16);
  EXPECT_EQ(full.find('L'), std::string::npos);  // no line prefix after the last full line
  EXPECT_EQ(full.size(), 16 * 3 + 4 + 16 + 1u);
  unsigned char one = 0x20;
  // 15 missing bytes of three blanks, four extra blanks, then the text " ".
  EXPECT_EQ(dump(nullptr, nullptr, &one, 1), "20 " + std::string(15 * 3 + 4, ' ') + " \n");
}

class EnvExpandTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", "/h", 1);
    setenv("GW_EMPTY", "", 1);
    setenv("1X", "digit", 1);
    unsetenv("GW_UNSET");
  }
  static std::string expand(const char* text,
                            const std::map<plat::String, plat::String>* vars = nullptr,
                            bool strict = false) {
    return plat::EnvExpand(text, vars, strict).get();
  }
};

TEST_F(EnvExpandTest, NamesAndBraces) {
  EXPECT_EQ(expand("$HOME/x"), "/h/x");
  EXPECT_EQ(expand("${HOME}/x"), "/h/x");
  EXPECT_EQ(expand("a${HOME}b$HOME"), "a/hb/h");
  EXPECT_EQ(expand("${HOME"), "/h");  // an unclosed brace runs to the end
  EXPECT_EQ(expand("$1X-"), "digit-");
  EXPECT_EQ(expand("x$GW_EMPTY/y"), "x/y");
  EXPECT_EQ(expand("plain"), "plain");
  EXPECT_EQ(expand(""), "");
  EXPECT_EQ(expand(nullptr), "");
}

TEST_F(EnvExpandTest, DollarCorners) {
  EXPECT_EQ(expand("$$"), "$");
  EXPECT_EQ(expand("$$HOME"), "$HOME");
  EXPECT_EQ(expand("${}"), "$");
  EXPECT_EQ(expand("a$/b"), "a/b");
  EXPECT_EQ(expand("a$"), "a");
  EXPECT_EQ(expand("$-$.$"), "-.");
  EXPECT_EQ(expand("x$GW_UNSET/y"), "x/y");
  EXPECT_EQ(expand("${GW_UNSET}"), "");
}

TEST_F(EnvExpandTest, VarsWinOverTheEnvironment) {
  std::map<plat::String, plat::String> vars{{"HOME", "/mine"}, {"ONLY", "o"}, {"NUL", {}}};
  EXPECT_EQ(expand("$HOME:$ONLY:${NUL}:$1X", &vars, true), "/mine:o::digit");
}

TEST_F(EnvExpandTest, StrictThrowsForUnsetNames) {
  try {
    expand("a/$GW_UNSET/b", nullptr, true);
    FAIL() << "no exception";
  } catch (const plat::Exception& e) {
    EXPECT_STREQ(e.str(), "unknown environment variable: GW_UNSET");
  }
  EXPECT_THROW(expand("${GW UNSET}", nullptr, true), plat::Exception);
  EXPECT_EQ(expand("$$ $/ ${} $", nullptr, true), "$ / $ ");  // no names, nothing to throw for
}

std::string hotkey(const char* in, int* code, int* pos) {
  std::string buf(in);
  char* at = reinterpret_cast<char*>(1);
  *code = plat::processHotkeyText(buf.data(), &at);
  *pos = at ? int(at - buf.data()) : -1;
  return buf.c_str();
}

TEST(Hotkey, MarkersAreRemoved) {
  int code, pos;
  EXPECT_EQ(hotkey("&File", &code, &pos), "File");
  EXPECT_EQ(code, 'F');
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(hotkey("Save && E&xit", &code, &pos), "Save & Exit");
  EXPECT_EQ(code, 'x');
  EXPECT_EQ(pos, 8);
  EXPECT_EQ(hotkey("&a&b", &code, &pos), "ab");  // only the first counts
  EXPECT_EQ(code, 'a');
  EXPECT_EQ(hotkey("end&", &code, &pos), "end");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(hotkey("&&&&", &code, &pos), "&&");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(hotkey("", &code, &pos), "");
  EXPECT_EQ(code, 0);
}

TEST(Hotkey, MultiByteAndBadHotkeys) {
  int code, pos;
  EXPECT_EQ(hotkey("Gr&\xC3\xBC\xC3\x9F", &code, &pos), "Gr\xC3\xBC\xC3\x9F");
  EXPECT_EQ(code, 0xFC);
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(hotkey("&\xE2\x82", &code, &pos), "\xE2\x82");  // cut short at the end
  EXPECT_EQ(code, 0);
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(plat::processHotkeyText(nullptr, nullptr), 0);
  char text[] = "&Q";
  EXPECT_EQ(plat::processHotkeyText(text, nullptr), 'Q');
}

TEST(Ellipsis, CutsCharactersNotBytes) {
  plat::EllipsiseStr e("abcdef");
  EXPECT_STREQ(e.get(0).get(), "abcdef");
  EXPECT_STREQ(e.get(2).get(), "abcd\xE2\x80\xA6");
  EXPECT_STREQ(e.get(6).get(), "\xE2\x80\xA6");
  EXPECT_STREQ(e.get(100).get(), "\xE2\x80\xA6");

  plat::EllipsiseStr u("a\xC3\xA9\xE2\x82\xAC");  // a, e-acute, euro
  EXPECT_STREQ(u.get(1).get(), "a\xC3\xA9\xE2\x80\xA6");
  EXPECT_STREQ(u.get(2).get(), "a\xE2\x80\xA6");
}

TEST(Ellipsis, InvalidBytesCountOneEach) {
  plat::EllipsiseStr e("ab\xE2\x82");  // a truncated sequence: two characters
  EXPECT_STREQ(e.get(1).get(), "ab\xE2\xE2\x80\xA6");
  EXPECT_STREQ(e.get(2).get(), "ab\xE2\x80\xA6");
  EXPECT_STREQ(e.get(4).get(), "\xE2\x80\xA6");
  EXPECT_TRUE(plat::EllipsiseStr(nullptr).get(0).isNull());
  EXPECT_STREQ(plat::EllipsiseStr("").get(1).get(), "\xE2\x80\xA6");
}

TEST(DivRnd, RoundsToNearest) {
  EXPECT_EQ(plat::divrndNN(7, 2), 4);
  EXPECT_EQ(plat::divrndNN(5, 0), 0);
  EXPECT_EQ(plat::divrndNN(4, 3), 1);
  EXPECT_EQ(plat::divrndNN(5, 3), 2);
  EXPECT_EQ(plat::divrndNN(0, 7), 0);
}

}  // namespace
