#include "lib2/fb/Keysym.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

// table: whitespace-separated hex pairs "argument result".
void checkPairs(const char* table, unsigned (*f)(unsigned)) {
  std::istringstream in(table);
  for (unsigned a, b; in >> std::hex >> a >> b;) EXPECT_EQ(f(a), b) << std::hex << a;
}

// Return and KP_Enter give a line feed; control values and modifiers nothing;
// surrogates, noncharacters and values past U+10FFFF nothing, as they would
// make invalid UTF-8 in a text.
TEST(Keysym, KeysymToUnicode) {
  checkPairs(
      "ff0d a  ff8d a  ff08 8  ffff 7f  1f 0  7f 0  9f 0  41 41  e9 e9  1a1 104  3c0 100  6c1 430 "
      "7c1 391  8a1 23b7  bc2 22a5  bce 22a4  9ec 250c  9f1 2500  9f8 2502  20ac 20ac "
      "1000101 101  100263a 263a  ffb5 35  ffe1 0  100d800 0  100dfff 0  100fdd0 0  100fffe 0 "
      "110ffff 0  11fffff 0",
      fb::keysymToUnicode);
}

// Keypad keys become main keys, right-hand modifiers left-hand ones, Unicode
// keysyms of legacy characters their legacy keysyms, and back.
TEST(Keysym, NormaliseAlternativesAndUnicodeToKeysym) {
  checkPairs("ffb5 35  ffe2 ffe1  ffe1 ffe1  ff7e fe03  ff9f ffff  1000101 3e0  1000041 41  61 61",
             fb::normaliseKeysym);
  checkPairs("ffb5 35  ffe2 ffe1  ffe1 ffe2  3d ffbd  61 0", fb::alternativeKeysym);
  checkPairs(
      "41 41  ff ff  9f 0  a ff0d  263a 100263a  104 1a1  22a5 bc2  250c 9ec  2500 9f1  2502 9f8 "
      "110000 0",
      fb::unicodeToKeysym);
}

// Every legacy keysym with a character, counted by block; each one's
// character leads back to it, so no code point is given to two keysyms.
TEST(Keysym, LegacyBlocksHoldTheirRowsAndRoundTrip) {
  const std::map<std::string, int> want = {
      {"Latin-2", 57}, {"Latin-3", 22},    {"Latin-4", 35}, {"Katakana", 64},
      {"Arabic", 48},  {"Cyrillic", 93},   {"Greek", 71},   {"Technical", 39},
      {"Special", 23}, {"Publishing", 77}, {"APL", 8},      {"Hebrew", 28},
      {"Thai", 83},    {"Korean", 91},     {"Latin-9", 3},  {"EuroSign", 1}};
  const char* const names[] = {"",           "Latin-2",  "Latin-3", "Latin-4",   "Katakana",
                               "Arabic",     "Cyrillic", "Greek",   "Technical", "Special",
                               "Publishing", "APL",      "Hebrew",  "Thai",      "Korean"};
  std::map<std::string, int> got;
  auto count = [&](const std::string& block, unsigned k) {
    unsigned u = fb::keysymToUnicode(k);
    if (u == 0) return;
    got[block]++;
    EXPECT_EQ(fb::unicodeToKeysym(u), k) << std::hex << k << " gives " << u;
  };
  for (unsigned k = 0x100; k < 0xF00; k++) count(names[k >> 8], k);
  for (unsigned k = 0x13BC; k <= 0x13BE; k++) count("Latin-9", k);
  count("EuroSign", 0x20AC);
  EXPECT_EQ(got, want);
}

// Pairs "text keysym": one character gives its keysym, "F1" to "F19" the
// function keys.
TEST(Keysym, StringToKeysym) {
  std::istringstream in(
      "F12 ffc9  F19 ffd0  F20 0  F0 0  F 46  \xC3\xA9 e9  \xE2\x98\xBA 100263a  ab 0  \xC3 0");
  std::string s;
  for (unsigned k; in >> s >> std::hex >> k;) EXPECT_EQ(fb::stringToKeysym(s.c_str()), k) << s;
}

}  // namespace
