#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/SplitterInPlace.h"

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

}  // namespace
