#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
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

// Every piece, "|"-separated, until the splitter gives null.
template <typename F>
std::string pieces(const char* text, F next) {
  std::string buf(text), out;
  SplitterInPlace s(buf.data());
  while (char* p = next(s)) out += std::string(p) + "|";
  return out;
}

TEST(SplitterInPlace, Pieces) {
  auto comma = [](SplitterInPlace& s) { return s.next(','); };
  EXPECT_EQ(pieces("a,b,,c", comma), "a|b||c|");
  EXPECT_EQ(pieces("", comma), "|");
  // A NUL separator must not move the rest past the end of the text.
  EXPECT_EQ(pieces("ab", [](SplitterInPlace& s) { return s.next('\0'); }), "ab|");
  EXPECT_EQ(pieces("a::b:c::", [](SplitterInPlace& s) { return s.nextString("::"); }), "a|b:c||");
  // An empty separator must not give endless empty pieces.
  EXPECT_EQ(pieces("xy", [](SplitterInPlace& s) { return s.nextString(""); }), "xy|");
  EXPECT_EQ(pieces("/usr/lib/x", [](SplitterInPlace& s) { return s.last('/'); }), "x|lib|usr||");
  std::string seps;
  auto oneOf = [&](SplitterInPlace& s) {
    char found = 'x';
    char* p = s.nextOneOf("=;", &found);
    seps += found ? found : '0';
    return p;
  };
  EXPECT_EQ(pieces("k=v;w", oneOf), "k|v|w|");
  EXPECT_EQ(seps, "=;00");
}

TEST(Hex, Conversions) {
  int acc = 1;
  EXPECT_TRUE(plat::readHexAndShift('F', &acc) && plat::readHexAndShift('a', &acc));
  EXPECT_FALSE(plat::readHexAndShift('g', &acc));
  EXPECT_EQ(acc, 31 * 16 + 10);
  for (int bad : {-1, 16}) {
    try {
      plat::intToHex(bad);
      ADD_FAILURE() << bad;
    } catch (const plat::AssertionFail& e) {  // thrown, not fatal
      EXPECT_STREQ(e.expr, "i >= 0 && i <= 15");
    }
  }
  const unsigned char bytes[] = {0x00, 0x9c, 0xff};
  EXPECT_STREQ(std::unique_ptr<char[]>(plat::binToHexStr({3, bytes})).get(), "009cff");

  plat::MBuf<unsigned char> out(true);
  ASSERT_TRUE(plat::hexStrToBin("0aFf", &out));
  ASSERT_EQ(out.length, 2);
  EXPECT_EQ(out.data[0] << 8 | out.data[1], 0x0aff);
  for (const char* bad : {"abc", "zz", "0z", "z0", "00zz"}) {
    EXPECT_FALSE(plat::hexStrToBin(bad, &out)) << bad;
    EXPECT_TRUE(out.data == nullptr && out.length == 0 && out.secure);
  }
  EXPECT_TRUE(plat::hexStrToBin("", &out));
}

std::string dump(const char* prefix, const unsigned char* data, int len) {
  testing::internal::CaptureStderr();
  plat::hexDump(prefix, "L:", data, len);
  return testing::internal::GetCapturedStderr();
}

TEST(Hex, Dump) {
  unsigned char data[20];
  for (int i = 0; i < 20; i++) data[i] = static_cast<unsigned char>('A' + i);
  data[1] = 0x7f;
  data[17] = '\n';
  EXPECT_EQ(dump("P:", data, 20),
            "P:41 7f 43 44  45 46 47 48  49 4a 4b 4c  4d 4e 4f 50  A.CDEFGHIJKLMNOP\n"
            "L:51 0a 53 54  " +
                std::string(12 * 3 + 3, ' ') + "Q.ST\n");
  EXPECT_EQ(dump("P", data, 0), "P");
  EXPECT_EQ(dump("", data, 16).find("L:"), std::string::npos);
}

// The expansion, or "!" and the message of the exception.
std::string expand(const char* text, bool strict = false,
                   const std::map<plat::String, plat::String>* vars = nullptr) {
  setenv("HOME", "/h", 1);
  setenv("1X", "digit", 1);
  unsetenv("GW_UNSET");
  try {
    return plat::EnvExpand(text, vars, strict).get();
  } catch (const plat::Exception& e) {
    return std::string("!") + e.str();
  }
}

TEST(EnvExpand, Expansion) {
  EXPECT_EQ(expand("$HOME/x ${HOME}/x"), "/h/x /h/x");
  EXPECT_EQ(expand("${HOME"), "/h");  // an unclosed brace runs to the end
  EXPECT_EQ(expand("$1X-"), "digit-");
  EXPECT_EQ(expand("$$ $$HOME ${} a$/b a$"), "$ $HOME $ a/b a");
  EXPECT_EQ(expand("x$GW_UNSET/y${GW_UNSET}"), "x/y");
  EXPECT_EQ(expand(nullptr), "");
  std::map<plat::String, plat::String> vars{{"HOME", "/mine"}, {"NUL", {}}};
  EXPECT_EQ(expand("$HOME:${NUL}:$1X", true, &vars), "/mine::digit");
  EXPECT_EQ(expand("a/$GW_UNSET/b", true), "!unknown environment variable: GW_UNSET");
  EXPECT_EQ(expand("${GW UNSET}", true), "!unknown environment variable: GW UNSET");
  EXPECT_EQ(expand("$$ $/ ${} $", true), "$ / $ ");
}

// The compacted text, then "=" with the hotkey and "@" its index (-1: none).
std::string hotkey(const char* in) {
  std::string buf(in);
  char* at = buf.data();
  int code = plat::processHotkeyText(buf.data(), &at);
  return std::string(buf.c_str()) + "=" + std::to_string(code) + "@" +
         std::to_string(at ? at - buf.data() : -1);
}

TEST(Hotkey, Markers) {
  EXPECT_EQ(hotkey("&File"), "File=70@0");
  EXPECT_EQ(hotkey("Save && E&xit"), "Save & Exit=120@8");
  EXPECT_EQ(hotkey("&a&b"), "ab=97@0");
  EXPECT_EQ(hotkey("end&"), "end=0@-1");
  EXPECT_EQ(hotkey("&&&&"), "&&=0@-1");
  EXPECT_EQ(hotkey("Gr&\xC3\xBC\xC3\x9F"), "Gr\xC3\xBC\xC3\x9F=252@2");
  EXPECT_EQ(hotkey("&\xE2\x82"), "\xE2\x82=0@-1");  // a cut-off character is no hotkey
  EXPECT_EQ(plat::processHotkeyText(nullptr, nullptr), 0);
}

TEST(Ellipsis, CutsCharacters) {
  auto get = [](const char* text, int n) {
    return std::string(plat::EllipsiseStr(text).get(n).get());
  };
  const std::string dots = "\xE2\x80\xA6";
  EXPECT_EQ(get("abcdef", 0), "abcdef");
  EXPECT_EQ(get("abcdef", 2), "abcd" + dots);
  EXPECT_EQ(get("abcdef", 6), dots);
  EXPECT_EQ(get("abcdef", 100), dots);
  EXPECT_EQ(get("a\xC3\xA9\xE2\x82\xAC", 1), "a\xC3\xA9" + dots);
  // Each byte of a broken sequence is one character.
  EXPECT_EQ(get("ab\xE2\x82", 1), "ab\xE2" + dots);
  EXPECT_EQ(get("ab\xE2\x82", 2), "ab" + dots);
  EXPECT_TRUE(plat::EllipsiseStr(nullptr).get(0).isNull());
}

}  // namespace
