#include "lib2/fb/DeadKeyUtil.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// A key sequence, one event per word: '+' a press, '-' a release, then the
// keysym in hex; "=a,b" the keysyms delivered instead; a trailing '.' marks
// an event passed on rather than consumed.
void play(const char* script) {
  fb::DeadKeyUtil util;
  std::istringstream in(script);
  for (std::string word; in >> word;) {
    bool passed = word.back() == '.';
    std::vector<unsigned> out, expected;
    size_t at = word.find('=');
    for (size_t p = at; p != std::string::npos; p = word.find(',', p + 1))
      expected.push_back(unsigned(std::stoul(word.substr(p + 1), nullptr, 16)));
    unsigned k = unsigned(std::stoul(word.substr(1), nullptr, 16));
    EXPECT_EQ(util.interpretDeadKeys(k, word[0] == '+', &out), !passed) << script << ": " << word;
    EXPECT_EQ(out, expected) << script << ": " << word;
  }
}

TEST(DeadKeyUtil, SequencesCombineAsTyped) {
  play("+fe51 -fe51 +65=e9 -65 +65. -65.");  // acute e; only the first release swallowed
  play("+fe51 +71=27,71 -71");               // acute q: the accent, then q
  play("+ff20 -ff20 +27 -27 +65=e9");        // Compose apostrophe e
  play("+ff20 +ffe1. +5e +6f=f4");           // Compose Shift asciicircum o
  play("+fe51 +fe57 +75=fc");                // a second dead key replaces the first
}

// Rows "dead base result" in hex; the first row wins (dead_acute on space is
// apostrophe before acute).
TEST(DeadKeyUtil, CombineTakesTheFirstMatchingRow) {
  fb::DeadKeyUtil util;
  std::istringstream in(
      "fe51 20 27  fe50 41 c0  fe50 20 60  fe5c 41 1a1  fe63 4c 1a3  fe52 77 1000175 "
      "fe56 42 1001e02  fe57 59 13be  fe51 7c1 7a1  1000344 20 7ae  1000344 7e9 7b6  fe51 71 0");
  for (unsigned dead, base, result; in >> std::hex >> dead >> base >> result;)
    EXPECT_EQ(util.combine(dead, base), result) << std::hex << dead << " " << base;
}

TEST(DeadKeyUtil, SplitGivesTheFirstRowOfAResult) {
  unsigned dead = 0, base = 0;
  EXPECT_TRUE(fb::DeadKeyUtil().split(0xB4, &dead, &base));
  EXPECT_EQ(std::vector<unsigned>({dead, base}), std::vector<unsigned>({0xFE51, 0x20}));
  EXPECT_FALSE(fb::DeadKeyUtil().split('q', &dead, &base));
}

}  // namespace
